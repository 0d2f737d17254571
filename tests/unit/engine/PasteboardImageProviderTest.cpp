#include "engine/PasteboardImageProvider.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

// The clipboard's own test sees the PNG bytes reach another process; here the rarer answers.
TEST(PasteboardImageProvider, EncodesAnewOnEveryRequestAndOnlyWhatItCan)
{
    QImage pixels(64, 32, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(x * 4, y * 8, 128));
    const PasteboardImageProvider provider(Image(pixels, QSizeF(32, 16)));
    const auto tiff = provider.dataForType(QStringLiteral("image/tiff"));
    ASSERT_TRUE(tiff);
    QBuffer buffer;
    buffer.setData(*tiff);
    EXPECT_EQ(QImageReader(&buffer, "tiff").read().convertToFormat(QImage::Format_ARGB32_Premultiplied), pixels);
    EXPECT_EQ(provider.dataForType(QStringLiteral("image/png")), provider.dataForType(QStringLiteral("image/png")));
    EXPECT_EQ(provider.encodeCount(), 3) << "nothing is kept between requests";

    EXPECT_FALSE(provider.dataForType(QStringLiteral("text/plain")));
    EXPECT_FALSE(PasteboardImageProvider(Image()).dataForType(QStringLiteral("image/png")));
}
