#include "engine/PngWriter.h"

#include "PngTestImages.h"

#include <gtest/gtest.h>

#include <QImage>

#include <random>
#include <vector>

namespace {

constexpr int rgbType = 2;
constexpr int rgbaType = 6;

// The colour type byte of the header, which always comes first, right after the signature.
int colorTypeOf(const QByteArray& png)
{
    return static_cast<unsigned char>(png.at(8 + 8 + 9));
}

// Smooth areas, sharp edges and noise, so every filter difference (including wrap-around
// below zero) occurs.
QImage opaqueImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 256);
            image.setPixel(
                x, y, x < width / 2 ? qRgb(x * 7 % 256, y * 3 % 256, 200) : qRgb(noise, 255 - noise, noise / 3));
        }
    return image;
}

using PngTestImages::translucentImage;

// Opaque pictures are stored as RGB, translucent ones as straight RGBA, from any QImage
// format; Qt's decoder (libpng) gives back the same pixels. The reader's tests decode the
// writer's output of many more sizes, and decline any chunk layout but header, data and end
// or a wrong checksum, so they also judge the writer's framing.
TEST(PngWriter, StoresTheColourTypeEachPictureNeedsAndDecodesToItsPixels)
{
    // One transparent pixel, the very last, is enough for alpha.
    QImage lastPixelClear = opaqueImage(40, 30);
    lastPixelClear.setPixel(39, 29, qRgba(0, 0, 0, 0));
    const struct {
        const char* name;
        QImage source;
        int colorType;
    } cases[] = {
        { "opaque", opaqueImage(97, 61), rgbType },
        { "translucent", translucentImage(64, 33), rgbaType },
        { "last pixel clear", lastPixelClear, rgbaType },
        { "ARGB32", translucentImage(23, 17).convertToFormat(QImage::Format_ARGB32), rgbaType },
        { "RGB888", opaqueImage(23, 17).convertToFormat(QImage::Format_RGB888), rgbType },
        { "RGBA8888 premultiplied", translucentImage(23, 17).convertToFormat(QImage::Format_RGBA8888_Premultiplied),
            rgbaType },
        { "RGBA64", translucentImage(23, 17).convertToFormat(QImage::Format_RGBA64), rgbaType },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::optional<QByteArray> png = PngWriter::encode(testCase.source);
        ASSERT_TRUE(png);
        EXPECT_EQ(colorTypeOf(*png), testCase.colorType);
        // Premultiplied pixels are compared as such: straightening them is lossy.
        const QImage::Format format = testCase.source.format() == QImage::Format_ARGB32_Premultiplied
            ? QImage::Format_ARGB32_Premultiplied
            : QImage::Format_ARGB32;
        EXPECT_EQ(QImage::fromData(*png, "PNG").convertToFormat(format), testCase.source.convertToFormat(format));
    }
    // A foreign buffer wrapped as RGB32 may carry zeros where alpha would be: still opaque.
    std::vector<quint32> padded(8 * 4, 0x00336699);
    const std::optional<QByteArray> png
        = PngWriter::encode(QImage(reinterpret_cast<const uchar*>(padded.data()), 8, 4, QImage::Format_RGB32));
    ASSERT_TRUE(png);
    EXPECT_EQ(colorTypeOf(*png), rgbType);
    EXPECT_EQ(QImage::fromData(*png, "PNG").pixel(3, 2), qRgb(0x33, 0x66, 0x99));
    EXPECT_FALSE(PngWriter::encode(QImage()));
}

} // namespace
