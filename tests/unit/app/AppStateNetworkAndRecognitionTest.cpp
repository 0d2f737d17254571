#include "AppStateFixture.h"

#include "fakes/TaskRunner.h"
#include "support/UploadServer.h"

#include <QFontDatabase>
#include <QJsonArray>
#include <QPainter>
#include <QProcess>

namespace {

Image textImage(const QStringList& lines)
{
    QImage pixels(900, 90 * int(lines.size()) + 40, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::white);
    QPainter painter(&pixels);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(30, 70 + 90 * i, lines[i]);
    painter.end();
    return Image(pixels);
}

} // namespace

TEST_F(AppStateTest, RecognitionOpensTheSheetCopiesOnlyTextItFoundAndRefusesASecondRequestMeanwhile)
{
    const QString text = QStringLiteral("Quarterly report\nRevenue grew");
    state.loadImageIntoEditor(textImage(text.split(u'\n')), QStringLiteral("x"), false);
    auto first = state.recognizeText();
    EXPECT_TRUE(state.isRecognizingText());
    runToCompletion(state.recognizeText());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Text recognition is already running"));
    runToCompletion(std::move(first));
    EXPECT_EQ(state.recognizedText(), text);
    EXPECT_TRUE(state.recognizedCodes().isEmpty());
    EXPECT_TRUE(state.isShowingOCRSheet());
    EXPECT_FALSE(state.isRecognizingText());
    EXPECT_EQ(clipboard.texts, QStringList { text }) << "the refused request did not recognise or copy again";
    EXPECT_EQ(state.statusMessage(), QStringLiteral("OCR completed and copied to clipboard"));

    state.isShowingOCRSheet.set(false);
    state.loadImageIntoEditor(solidImage({ 400, 200 }, Qt::white), QStringLiteral("x"), false);
    runToCompletion(state.recognizeText());
    EXPECT_EQ(state.recognizedText(), QStringLiteral("No text detected."));
    EXPECT_TRUE(state.isShowingOCRSheet());
    EXPECT_EQ(clipboard.texts.size(), 1) << "nothing found, nothing copied";
    EXPECT_EQ(state.statusMessage(), QStringLiteral("OCR completed"));
}

TEST_F(AppStateTest, UploadSendsTheFramedPictureAndCopiesTheLink)
{
    UploadServer server;
    settings.uploadMode.set(UploadMode::customServer);
    settings.uploadEndpoint.set(server.url(QStringLiteral("/json-nested")));
    settings.windowBackgroundStyle.set(WindowBackgroundStyle::solidColor);
    state.loadImageIntoEditor(solidImage({ 60, 30 }, Qt::blue), QStringLiteral("x"), false);
    state.backdropEnabled.set(true);
    runToCompletion(state.uploadCurrentImage());
    EXPECT_FALSE(state.errorMessage()) << state.errorMessage().value_or(QString()).toStdString();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Uploaded and copied link"));
    ASSERT_FALSE(clipboard.texts.isEmpty());
    EXPECT_EQ(clipboard.texts.back(), QStringLiteral("https://files.example.test/nested.png"));
    ASSERT_EQ(server.requests().size(), 1u);

    // The server gets the picture as it is exported: framed on its background, not the bare capture.
    const QJsonArray parts = server.requests().front().value(QStringLiteral("parts")).toArray();
    ASSERT_EQ(parts.size(), 1);
    const QImage sent = QImage::fromData(
        QByteArray::fromBase64(parts.first().toObject().value(QStringLiteral("data")).toString().toLatin1()), "PNG");
    const std::optional<Image> exported = state.renderedImage(true);
    ASSERT_TRUE(exported);
    EXPECT_EQ(sent.convertToFormat(QImage::Format_ARGB32), exported->pixels().convertToFormat(QImage::Format_ARGB32));
}
