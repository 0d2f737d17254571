#include "engine/ImageIOService.h"
#include "engine/PasteboardImageProvider.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

Image gradientImage()
{
    QImage pixels(64, 32, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(x * 4, y * 8, 128));
    return Image(pixels, QSizeF(32, 16));
}

QImage decode(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    return reader.read();
}

} // namespace

TEST(PasteboardImageProvider, PngRequestGivesTheExportBytesAnewEachTime)
{
    const Image image = gradientImage();
    const PasteboardImageProvider provider(image);
    EXPECT_EQ(provider.encodeCount(), 0) << "nothing is encoded before a reader asks";

    const auto first = provider.dataForType(QStringLiteral("image/png"));
    const auto second = provider.dataForType(QStringLiteral("image/png"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, ImageIOService::pngData(image));
    EXPECT_EQ(*first, *second);
    EXPECT_EQ(provider.encodeCount(), 2);
}

TEST(PasteboardImageProvider, TiffRequestKeepsThePixels)
{
    const Image image = gradientImage();
    const auto tiff = PasteboardImageProvider(image).dataForType(QStringLiteral("image/tiff"));
    ASSERT_TRUE(tiff);
    const QImage decoded = decode(*tiff, "tiff").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(decoded, image.pixels());
}

TEST(PasteboardImageProvider, UnknownTypesAndUnencodableImagesGiveNoData)
{
    EXPECT_FALSE(PasteboardImageProvider(gradientImage()).dataForType(QStringLiteral("text/plain")));
    EXPECT_FALSE(PasteboardImageProvider(Image()).dataForType(QStringLiteral("image/png")));
}
