#include "services/OCRService.h"
#include "domain/OCRError.h"
#include "services/TesseractRecognizer.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList sampleLines {
    QStringLiteral("Trovix reads every line"),
    QStringLiteral("Invoice 2048 due on Monday"),
    QStringLiteral("The quick brown fox jumps"),
};

QImage whitePage(QSize size)
{
    QImage page(size, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::white);
    return page;
}

// Lines drawn top to bottom from `origin`, large enough to be read without doubt.
void drawLines(QImage& page, const QStringList& lines, QPoint origin, QColor colour = Qt::black)
{
    QPainter painter(&page);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(36);
    painter.setFont(font);
    painter.setPen(colour);
    for (int index = 0; index < lines.size(); ++index)
        painter.drawText(origin + QPoint(0, 40 + index * 64), lines[index]);
}

// A QR code as the qrencode tool draws it, `scale` pixels per module.
QImage qrCode(const QString& payload, int scale)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("code.png"));
    QProcess qrencode;
    qrencode.start(QStringLiteral("qrencode"),
        { QStringLiteral("-s"), QString::number(scale), QStringLiteral("-o"), path, payload });
    if (!qrencode.waitForFinished(10000) || qrencode.exitCode() != 0) {
        ADD_FAILURE() << "qrencode failed";
        return {};
    }
    return QImage(path);
}

void drawImage(QImage& page, const QImage& image, QPoint at)
{
    QPainter painter(&page);
    painter.drawImage(at, image);
}

} // namespace

TEST(OCRService, ReadsLinesInTheChosenLanguageFindsNothingOnABlankPageAndRefusesAnImageWithoutPixels)
{
    const QString polish = QStringLiteral("Zażółć gęślą jaźń");
    const struct {
        const char* name;
        QStringList lines;
        QColor background;
        QString language;
    } cases[] = {
        // Transparent must read as paper, not ink.
        { "transparent background", { sampleLines.first() }, Qt::transparent, QStringLiteral("English+") },
        { "Polish letters", { polish }, Qt::white, QStringLiteral("Polish+") },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QImage page(900, 60 + 64 * int(testCase.lines.size()), QImage::Format_ARGB32_Premultiplied);
        page.fill(testCase.background);
        drawLines(page, testCase.lines, { 30, 10 });
        const ImageAnalysisResult result = OCRService::analyze(Image(page), testCase.language);
        EXPECT_EQ(result.text, testCase.lines.join(QLatin1Char('\n')));
        EXPECT_TRUE(result.codes.isEmpty());
    }

    EXPECT_EQ(OCRService::analyze(Image(whitePage({ 640, 400 }))), ImageAnalysisResult());
    try {
        (void)OCRService::analyze(Image());
        FAIL() << "expected OCRError";
    } catch (const OCRError& error) {
        EXPECT_EQ(error.code(), OCRError::Code::cgImageUnavailable);
        EXPECT_EQ(error.description(), QStringLiteral("Nie udało się przygotować obrazu do OCR."));
    }
}

TEST(OCRService, FindsEveryQRCodeAndKeepsItOutOfTheText)
{
    const QString payload = QStringLiteral("https://trovix.example/qr?id=42");
    // Small modules are what screenshots hold, and what a text recognizer mistakes for letters.
    const struct {
        const char* name;
        int scale;
        int codes;
        bool withText;
    } cases[] = {
        { "the same code twice", 3, 2, false },
        { "text beside a small code", 2, 1, true },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const QImage code = qrCode(payload, testCase.scale);
        ASSERT_FALSE(code.isNull());
        QImage page = whitePage({ 1400, 2 * code.height() + 120 });
        for (int index = 0; index < testCase.codes; ++index)
            drawImage(page, code, { 40 + index * (code.width() + 80), 40 });
        if (testCase.withText)
            drawLines(page, sampleLines, { 40 + code.width() + 80, 40 });

        const ImageAnalysisResult result = OCRService::analyze(Image(page));
        EXPECT_EQ(result.codes, QStringList(testCase.codes, payload));
        EXPECT_EQ(result.text, testCase.withText ? sampleLines.join(QLatin1Char('\n')) : QString());
    }
}
