#include "engine/ImageIOService.h"
#include "domain/ImageIOError.h"
#include "support/PngHeaderClaiming.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <tuple>

namespace {

QImage testPattern(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? qRgb(220, 40, 30) : qRgb(x * 4 % 256, y * 4 % 256, 128));
    return image;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QByteArray encodeWithQt(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes;
}

TEST(ImageIOService, PngDataKeepsPixelsNotPointsAndRefusesAnImageWithoutPixels)
{
    const Image withoutPixels[] = { Image(), Image(QImage(), QSizeF(10, 10)), Image(testPattern(4, 4), QSizeF(0, 0)) };
    for (const Image& image : withoutPixels) {
        try {
            (void)ImageIOService::pngData(image);
            ADD_FAILURE() << "expected ImageIOError";
        } catch (const ImageIOError& error) {
            EXPECT_EQ(error.code(), ImageIOError::Code::couldNotEncode);
            EXPECT_EQ(error.description(), QStringLiteral("Nie udało się zakodować obrazu do PNG."));
        }
    }
    const Image retina(testPattern(200, 100), QSizeF(100, 50));
    const std::optional<Image> decoded = ImageIOService::readImageData(ImageIOService::pngData(retina));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels(), retina.pixels());
    EXPECT_EQ(decoded->size(), QSizeF(200, 100)) << "a file has one point per pixel";
}

TEST(ImageIOService, ReadsPngJpegAndTiffFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage source = testPattern(64, 48);
    // A JPEG named .png is read by its content.
    for (const auto& [format, name, lossless] : { std::tuple { "png", "a.png", true },
             std::tuple { "tiff", "c.tiff", true }, std::tuple { "jpeg", "jpeg-named.png", false } }) {
        SCOPED_TRACE(name);
        const QString path = writeFile(dir, QString::fromLatin1(name), encodeWithQt(source, format));
        const std::optional<Image> image = ImageIOService::readImage(path);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->pixels().size(), QSize(64, 48));
        EXPECT_EQ(image->size(), QSizeF(64, 48));
        EXPECT_EQ(image->pixels().format(), QImage::Format_ARGB32_Premultiplied);
        if (lossless) {
            EXPECT_EQ(image->pixels(), source);
        } else {
            const QColor red = image->pixels().pixelColor(8, 24);
            EXPECT_NEAR(red.red(), 220, 12);
            EXPECT_NEAR(red.green(), 40, 12);
        }
    }
}

TEST(ImageIOService, CorruptTruncatedMissingOrAbsurdFilesGiveNoneOrAClearError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray png = ImageIOService::pngData(Image(testPattern(120, 80)));
    const QByteArray jpeg = encodeWithQt(testPattern(120, 80), "jpeg");
    QByteArray damagedData = png;
    damagedData[png.size() / 2] = char(damagedData[png.size() / 2] ^ 0x5a);
    const std::pair<const char*, QByteArray> cases[]
        = { { "empty", QByteArray() }, { "half the data", png.left(png.size() / 2) }, { "damaged data", damagedData },
              { "truncated jpeg", jpeg.left(20) } };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ImageIOService::readImageData(bytes));
        EXPECT_FALSE(ImageIOService::readImage(writeFile(dir, QString::fromLatin1(name), bytes)));
    }
    EXPECT_FALSE(ImageIOService::readImage(dir.filePath(QStringLiteral("does-not-exist.png"))));
    EXPECT_FALSE(ImageIOService::readImage(dir.path())) << "a directory";

    // Absurd sizes are refused before decoding, with a clear error.
    for (const QSize size : { QSize(100000, 100000), QSize(3840, 80000) }) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        // Only the header exists: decoding would fail, so the error shows the size was checked first.
        const QByteArray header = PngHeaderClaiming::png(quint32(size.width()), quint32(size.height()));
        for (const bool fromFile : { false, true }) {
            SCOPED_TRACE(fromFile ? "file" : "bytes");
            try {
                if (fromFile)
                    (void)ImageIOService::readImage(writeFile(dir, QStringLiteral("huge.png"), header));
                else
                    (void)ImageIOService::readImageData(header);
                ADD_FAILURE() << "no error";
            } catch (const ImageIOError& error) {
                EXPECT_EQ(error.code(), ImageIOError::Code::imageTooLarge);
                EXPECT_EQ(error.description(), QStringLiteral("Obraz jest zbyt duży, by go otworzyć."));
            }
        }
    }
    EXPECT_FALSE(ImageIOService::readImageData(PngHeaderClaiming::png(0x7fffffff, 1))) << "a size Qt cannot hold";
}

TEST(ImageIOService, TallScrollingCapturesAreReadable)
{
    // 1000 x 70,000 pixels is 267 MiB: over Qt's default limit, well under ours.
    QImage tall(1000, 70000, QImage::Format_RGB32);
    tall.fill(QColor(10, 20, 30));
    tall.setPixel(999, 69999, qRgb(200, 100, 50));
    const std::optional<Image> image = ImageIOService::readImageData(ImageIOService::pngData(Image(tall)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels().size(), tall.size());
    EXPECT_EQ(image->pixels().pixel(999, 69999), qRgb(200, 100, 50));
}

} // namespace
