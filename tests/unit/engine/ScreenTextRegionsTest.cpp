#include "engine/ScreenTextRegions.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr QColor light(0xfb, 0xfb, 0xfd);

TEST(ScreenTextRegions, SharesALongBlockOutBetweenItsLines)
{
    EXPECT_TRUE(ScreenTextRegions::find(QImage()).empty());
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
    const QFontMetrics metrics(mono);
    for (const int lineCount : { 10, 30 }) {
        SCOPED_TRACE(lineCount);
        QImage terminal(500, 40 + lineCount * 16, QImage::Format_Grayscale8);
        terminal.fill(light);
        std::vector<QRect> drawn;
        QPainter painter(&terminal);
        painter.setFont(mono);
        painter.setPen(Qt::black);
        for (int index = 0; index < lineCount; ++index) {
            const QString line = QStringLiteral("[%1/30] Compiling editor_canvas.cpp 120 ms").arg(index + 1);
            const QPoint baseline(10, 10 + index * 16 + metrics.ascent());
            painter.drawText(baseline, line);
            drawn.push_back(metrics.boundingRect(line).translated(baseline));
        }
        painter.end();
        const std::vector<TextRegion> regions = ScreenTextRegions::find(terminal);
        ASSERT_EQ(regions.size(), 1U);
        EXPECT_TRUE(regions[0].area.contains(drawn.front().united(drawn.back())));

        const std::vector<TextRegion> pieces = ScreenTextRegions::splitAtLineGaps(terminal, regions[0], 2);
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

} // namespace
