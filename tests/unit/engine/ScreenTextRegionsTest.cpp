#include "engine/ScreenTextRegions.h"
#include "engine/RecognitionPicture.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr QColor light(0xfb, 0xfb, 0xfd);
constexpr QColor dark(0x1f, 0x20, 0x23);

struct Screen {
    QImage pixels;
    // Where each block of text was drawn, in reading order.
    std::vector<QRect> blocks;
};

// Lines of text in `font` at `origin`; returns the rectangle they cover.
QRect drawLines(QPainter& painter, QPoint origin, const QStringList& lines, const QFont& font, QColor colour)
{
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetrics metrics(font);
    QRect covered;
    for (int index = 0; index < lines.size(); ++index) {
        const QPoint baseline = origin + QPoint(0, metrics.ascent() + index * metrics.lineSpacing());
        painter.drawText(baseline, lines[index]);
        covered |= metrics.boundingRect(lines[index]).translated(baseline);
    }
    return covered;
}

QFont sans(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

QFont mono(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(pixels);
    return font;
}

const QStringList paragraph { QStringLiteral("Upload the capture to the server"),
    QStringLiteral("and copy the answer link to the"), QStringLiteral("clipboard when the request ends") };

Screen screen(QSize size, const std::function<void(QPainter&, std::vector<QRect>&)>& draw)
{
    Screen result { QImage(size, QImage::Format_Grayscale8), {} };
    result.pixels.fill(light);
    QPainter painter(&result.pixels);
    draw(painter, result.blocks);
    return result;
}

} // namespace

TEST(ScreenTextRegions, EachBlockOfTextIsOneRegionInReadingOrder)
{
    const struct {
        const char* name;
        Screen screen;
    } cases[] = {
        { "a light panel beside a dark one",
            screen({ 800, 300 },
                [](QPainter& painter, std::vector<QRect>& blocks) {
                    painter.fillRect(400, 0, 400, 300, dark);
                    blocks.push_back(drawLines(painter, { 20, 30 }, paragraph, sans(14), Qt::black));
                    blocks.push_back(drawLines(painter, { 420, 30 }, paragraph, sans(14), QColor(0xe3, 0xe3, 0xe6)));
                }) },
        { "a dark title bar over a page",
            screen({ 700, 300 },
                [](QPainter& painter, std::vector<QRect>& blocks) {
                    painter.fillRect(0, 0, 700, 36, dark);
                    blocks.push_back(
                        drawLines(painter, { 20, 10 }, { QStringLiteral("Settings") }, sans(13), Qt::white));
                    blocks.push_back(drawLines(painter, { 20, 80 }, paragraph, sans(14), Qt::black));
                }) },
        // The heading spans both columns; each column is still read to its end before the next.
        { "two columns under a heading",
            screen({ 900, 300 },
                [](QPainter& painter, std::vector<QRect>& blocks) {
                    blocks.push_back(drawLines(painter, { 20, 10 },
                        { QStringLiteral("Release notes of the editor and its upload service") }, sans(22), Qt::black));
                    blocks.push_back(drawLines(painter, { 20, 70 }, paragraph, sans(14), Qt::black));
                    blocks.push_back(drawLines(painter, { 480, 70 }, paragraph, sans(14), Qt::black));
                }) },
        { "a listing whose columns are a few spaces apart",
            screen({ 700, 200 },
                [](QPainter& painter, std::vector<QRect>& blocks) {
                    blocks.push_back(drawLines(painter, { 10, 10 },
                        { QStringLiteral("drwxr-xr-x  2 alice staff    4096 May 22 20:54 Documents"),
                            QStringLiteral("-rw-r--r--  1 alice staff  952893 Jun 14 02:40 config.json"),
                            QStringLiteral("-rw-------  8 alice staff     120 Jul  3 06:36 notes.md") },
                        mono(12), Qt::black));
                }) },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::vector<TextRegion> regions = ScreenTextRegions::find(testCase.screen.pixels);
        ASSERT_EQ(regions.size(), testCase.screen.blocks.size());
        for (size_t index = 0; index < regions.size(); ++index) {
            SCOPED_TRACE(index);
            EXPECT_TRUE(regions[index].area.contains(testCase.screen.blocks[index]))
                << "block not inside its region: text would be cut";
            // The region holds no other block's text.
            for (size_t other = 0; other < regions.size(); ++other) {
                if (other != index) {
                    EXPECT_FALSE(regions[index].area.intersects(testCase.screen.blocks[other]));
                }
            }
            const int paper = testCase.screen.pixels.pixelColor(regions[index].area.topLeft()).value();
            EXPECT_NEAR(regions[index].background, paper, 4);
        }
    }
}

TEST(ScreenTextRegions, MeasuresTheLinesOfARegion)
{
    for (const int pixels : { 9, 13, 24 }) {
        SCOPED_TRACE(pixels);
        Screen page = screen({ 600, 260 }, [pixels](QPainter& painter, std::vector<QRect>& blocks) {
            blocks.push_back(drawLines(painter, { 20, 20 }, paragraph, sans(pixels), Qt::black));
        });
        const std::vector<TextRegion> regions = ScreenTextRegions::find(page.pixels);
        ASSERT_EQ(regions.size(), 1U);
        EXPECT_EQ(regions[0].lineCount, 3);
        // From the top of "U" or "l" to the bottom of "p" or "q": about the font's pixel size.
        EXPECT_GE(regions[0].lineHeight, pixels * 9 / 10);
        EXPECT_LE(regions[0].lineHeight, pixels * 13 / 10);
    }
}

TEST(ScreenTextRegions, PaperWithoutTextHasNoRegions)
{
    QImage blank(640, 400, QImage::Format_Grayscale8);
    blank.fill(light);
    EXPECT_TRUE(ScreenTextRegions::find(blank).empty());
    // Panels, a rule and an input field's faint fill are no text.
    QPainter painter(&blank);
    painter.fillRect(0, 0, 200, 400, dark);
    painter.fillRect(240, 100, 300, 1, QColor(0x90, 0x90, 0x90));
    painter.fillRect(240, 200, 300, 28, QColor(0xf0, 0xf0, 0xf0));
    painter.end();
    EXPECT_TRUE(ScreenTextRegions::find(blank).empty());
    EXPECT_TRUE(ScreenTextRegions::find(QImage()).empty());
}

TEST(RecognitionPicture, EnlargesSmallTextUntilComfortableAndNeverShrinks)
{
    double previous = RecognitionPicture::largestScale;
    for (int lineHeight = 4; lineHeight <= 80; ++lineHeight) {
        SCOPED_TRACE(lineHeight);
        const double scale = RecognitionPicture::scaleFor(lineHeight, 1.0);
        EXPECT_GE(scale, 1.0);
        EXPECT_LE(scale, previous);
        if (scale < RecognitionPicture::largestScale) {
            EXPECT_GE(lineHeight * scale, RecognitionPicture::comfortableLineHeight * 0.9);
        }
        if (scale > 1.0) {
            EXPECT_LE(lineHeight * scale, RecognitionPicture::comfortableLineHeight * 1.1);
        }
        previous = scale;
    }
    // Unmeasured text: small on a 1x screen, already large enough on a 2x one.
    EXPECT_GT(RecognitionPicture::scaleFor(0, 1.0), 1.0);
    EXPECT_EQ(RecognitionPicture::scaleFor(0, 2.0), 1.0);
}

TEST(RecognitionPicture, GivesDarkTextOnWhitePaperWhateverTheColours)
{
    const struct {
        const char* name;
        QColor paper;
        QColor ink;
    } cases[] = {
        { "black on white", Qt::white, Qt::black },
        { "light grey on a dark panel", dark, QColor(0xe3, 0xe3, 0xe6) },
        { "a faint caption", light, QColor(0x9a, 0xa0, 0xa6) },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QImage grey(200, 60, QImage::Format_Grayscale8);
        grey.fill(testCase.paper);
        QPainter painter(&grey);
        painter.fillRect(50, 20, 100, 10, testCase.ink);
        painter.end();
        TextRegion region;
        region.area = QRect(40, 10, 120, 30);
        region.background = qGray(testCase.paper.rgb());
        region.strongestInk = std::abs(qGray(testCase.ink.rgb()) - region.background);

        const QImage prepared = RecognitionPicture::prepare(grey, region, 2.0);
        ASSERT_EQ(prepared.size(), QSize(240, 60));
        EXPECT_EQ(prepared.pixelColor(4, 4).value(), 255);
        EXPECT_LT(prepared.pixelColor(60, 30).value(), 40);
    }
}

TEST(RecognitionPicture, RemovesFramesButKeepsGlyphs)
{
    // A button: a one-pixel frame two lines tall around a word.
    QImage grey(300, 80, QImage::Format_Grayscale8);
    grey.fill(light);
    QPainter painter(&grey);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(20, 10, 200, 40);
    const QRect word = drawLines(painter, { 40, 20 }, { QStringLiteral("Cancel") }, sans(14), Qt::black);
    painter.end();
    TextRegion region;
    region.area = grey.rect();
    region.background = qGray(light.rgb());
    region.strongestInk = region.background;
    region.lineHeight = word.height();

    const QImage prepared = RecognitionPicture::prepare(grey, region, 1.0);
    int frame = 0;
    int glyphs = 0;
    for (int y = 0; y < prepared.height(); ++y) {
        for (int x = 0; x < prepared.width(); ++x) {
            const bool dark = prepared.pixelColor(x, y).value() < 128;
            (word.contains(x, y) ? glyphs : frame) += dark ? 1 : 0;
        }
    }
    EXPECT_EQ(frame, 0);
    EXPECT_GT(glyphs, 50);
}

TEST(ScreenTextRegions, SharesALongBlockOutBetweenItsLines)
{
    for (const int lineCount : { 10, 30 }) {
        SCOPED_TRACE(lineCount);
        QStringList lines;
        for (int index = 0; index < lineCount; ++index)
            lines.append(QStringLiteral("[%1/30] Compiling editor_canvas.cpp 120 ms").arg(index + 1));
        std::vector<QRect> drawn;
        Screen terminal = screen({ 500, 40 + lineCount * 16 }, [&](QPainter& painter, std::vector<QRect>& blocks) {
            for (int index = 0; index < lineCount; ++index)
                drawn.push_back(drawLines(painter, { 10, 10 + index * 16 }, { lines[index] }, mono(12), Qt::black));
            blocks.push_back(drawn.front().united(drawn.back()));
        });
        const std::vector<TextRegion> regions = ScreenTextRegions::find(terminal.pixels);
        ASSERT_EQ(regions.size(), 1U);

        const std::vector<TextRegion> pieces = ScreenTextRegions::splitAtLineGaps(terminal.pixels, regions[0], 2);
        ASSERT_EQ(pieces.size(), lineCount >= 24 ? 2U : 1U);
        QRect covered;
        for (const TextRegion& piece : pieces) {
            EXPECT_FALSE(covered.intersects(piece.area));
            covered |= piece.area;
        }
        EXPECT_EQ(covered, regions[0].area);
        // Every line lies wholly in one piece.
        for (const QRect& line : drawn) {
            const auto holding = std::count_if(
                pieces.begin(), pieces.end(), [&line](const TextRegion& piece) { return piece.area.contains(line); });
            EXPECT_EQ(holding, 1);
        }
    }
}
