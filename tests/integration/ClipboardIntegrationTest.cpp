// Another process (xclip) pastes what Trovix copied, through a real X server.
#include "XDriving.h"

#include "domain/ImageIOError.h"
#include "engine/ImageIOService.h"
#include "engine/PasteboardImageProvider.h"
#include "platform/qt/QtClipboard.h"
#include "support/PngHeaderClaiming.h"

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Runs xclip while our event loop keeps answering the clipboard requests it makes.
QByteArray pasteWithXclip(const QStringList& arguments)
{
    return XDriving::run(QStringLiteral("xclip"),
        QStringList { QStringLiteral("-selection"), QStringLiteral("clipboard") } + arguments, 15000)
        .output;
}

Image sampleImage(QColor color)
{
    QImage pixels(120, 80, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(color);
    for (int x = 0; x < 120; x += 3)
        pixels.setPixelColor(x, 40, Qt::white);
    return Image(pixels);
}

} // namespace

TEST(ClipboardIntegration, AnotherProcessPastesTheExportBytesOnlyWhenItAsksAndASecondCopyReplacesThem)
{
    QtClipboard clipboard;
    const Image image = sampleImage(QColor(20, 140, 220));
    auto provider = std::make_shared<PasteboardImageProvider>(image);
    ASSERT_TRUE(clipboard.setImageProvider(provider));
    EXPECT_EQ(provider->encodeCount(), 0);

    const QByteArray targets
        = pasteWithXclip({ QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o") });
    EXPECT_TRUE(targets.contains("image/png")) << targets.toStdString();
    EXPECT_TRUE(targets.contains("image/tiff")) << targets.toStdString();
    EXPECT_EQ(provider->encodeCount(), 0) << "listing the formats makes no bytes";

    const QByteArray png = pasteWithXclip({ QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o") });
    EXPECT_EQ(png, ImageIOService::pngData(image));
    EXPECT_GE(provider->encodeCount(), 1);

    const QByteArray tiff
        = pasteWithXclip({ QStringLiteral("-t"), QStringLiteral("image/tiff"), QStringLiteral("-o") });
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM")) << "a TIFF header";

    const Image secondImage = sampleImage(Qt::green);
    ASSERT_TRUE(clipboard.setImageProvider(std::make_shared<PasteboardImageProvider>(secondImage)));
    std::weak_ptr<PasteboardImageProvider> firstAlive = provider;
    provider.reset();
    EXPECT_TRUE(firstAlive.expired()) << "a second copy lets go of the first";
    EXPECT_EQ(pasteWithXclip({ QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-o") }),
        ImageIOService::pngData(secondImage));
}

TEST(ClipboardIntegration, TextCopiesReachOtherProgramsAndImagesComeBack)
{
    QtClipboard clipboard;
    clipboard.setText(QStringLiteral("#12ABEF"));
    EXPECT_EQ(pasteWithXclip({ QStringLiteral("-o") }), QByteArray("#12ABEF"));

    const Image image = sampleImage(QColor(200, 30, 90));
    ASSERT_TRUE(clipboard.setImageProvider(std::make_shared<PasteboardImageProvider>(image)));
    const std::optional<Image> readBack = clipboard.readImage();
    ASSERT_TRUE(readBack);
    EXPECT_EQ(readBack->pixels(), image.pixels());
}

TEST(ClipboardIntegration, AHugePicturePastedFromAnotherProgramIsRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("huge.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray huge = PngHeaderClaiming::png(60000, 60000);
    file.write(huge);
    file.close();
    // xclip keeps offering the picture in the foreground until it is stopped.
    QProcess owner;
    owner.start(QStringLiteral("xclip"),
        { QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
            QStringLiteral("image/png"), QStringLiteral("-i"), path });
    ASSERT_TRUE(owner.waitForStarted());
    QtClipboard clipboard;
    // Until xclip owns the clipboard: an earlier test may have left a picture of ours there.
    ASSERT_TRUE(XDriving::waitUntil([&] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->data(QStringLiteral("image/png")) == huge;
    }));

    try {
        (void)clipboard.readImage();
        ADD_FAILURE() << "no error";
    } catch (const ImageIOError& error) {
        EXPECT_EQ(error.code(), ImageIOError::Code::imageTooLarge);
        EXPECT_EQ(error.description(), ImageIOError::descriptionFor(ImageIOError::Code::imageTooLarge));
    }
    owner.kill();
    owner.waitForFinished();
}
