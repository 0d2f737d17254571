#include "engine/ImageColorSampler.h"

#include <gtest/gtest.h>

namespace {

// 4 x 2 pixels: the left half red, the right half (columns 2, 3) blue; row 1 green at column 3.
QImage sampleImage(QImage::Format format)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(QColor(0x11, 0x22, 0x33));
    for (int y = 0; y < 2; ++y) {
        image.setPixelColor(0, y, QColor(0xFF, 0x10, 0x00));
        image.setPixelColor(1, y, QColor(0xFF, 0x10, 0x00));
        image.setPixelColor(2, y, QColor(0x00, 0x20, 0xFE));
        image.setPixelColor(3, y, QColor(0x00, 0x20, 0xFE));
    }
    image.setPixelColor(3, 1, QColor(0x0A, 0xB0, 0x0C));
    return image.convertToFormat(format);
}

} // namespace

TEST(ImageColorSampler, ReadsRealRgbWhateverThePixelFormat)
{
    // Byte orders differ between these formats; the sampled colour must not.
    for (QImage::Format format : { QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32, QImage::Format_RGBA8888,
             QImage::Format_RGB888, QImage::Format_BGR888 }) {
        SCOPED_TRACE(int(format));
        const Image image(sampleImage(format));
        EXPECT_EQ(ImageColorSampler::sampleHexColor({ 0.5, 0.5 }, image), QStringLiteral("#FF1000"));
        EXPECT_EQ(ImageColorSampler::sampleHexColor({ 2.9, 0 }, image), QStringLiteral("#0020FE"));
    }

    // Premultiplied pixels are reported as stored.
    QImage pixels(1, 1, QImage::Format_ARGB32_Premultiplied);
    pixels.setPixel(0, 0, qRgba(0x40, 0x20, 0x10, 0x80));
    EXPECT_EQ(ImageColorSampler::sampleHexColor({ 0, 0 }, Image(pixels)), QStringLiteral("#402010"));
}

TEST(ImageColorSampler, MapsPointsToPixelsPerAxisAndRejectsOutside)
{
    // 2x horizontally, 1x vertically: 4 x 2 pixels shown as 2 x 2 points.
    const Image image(sampleImage(QImage::Format_ARGB32_Premultiplied), QSizeF(2, 2));
    EXPECT_EQ(ImageColorSampler::sampleHexColor({ 1.0, 0.2 }, image), QStringLiteral("#0020FE")); // column 2
    EXPECT_EQ(ImageColorSampler::sampleHexColor({ 1.7, 1.9 }, image), QStringLiteral("#0AB00C")); // column 3, row 1
    for (QPointF outside :
        { QPointF(2, 0), QPointF(0, 2), QPointF(-0.6, 0), QPointF(0, -1), QPointF(qQNaN(), 0), QPointF(1e300, 0) }) {
        SCOPED_TRACE(testing::Message() << outside.x() << "," << outside.y());
        EXPECT_FALSE(ImageColorSampler::sampleHexColor(outside, image));
    }
    EXPECT_FALSE(ImageColorSampler::sampleHexColor({ 0, 0 }, Image()));
}

TEST(ImageColorSampler, HexTextParsing)
{
    const QColor expected = QColor::fromRgbF(26 / 255.0f, 43 / 255.0f, 60 / 255.0f);
    for (const char* text : { "#1A2B3C", "1a2b3c", "##1A2B3C##" }) {
        SCOPED_TRACE(text);
        const auto color = ImageColorSampler::color(QString::fromLatin1(text));
        ASSERT_TRUE(color);
        EXPECT_EQ(color->toRgb(), expected.toRgb());
        EXPECT_EQ(color->alphaF(), 1.0f);
    }
    for (const char* text : { "#1A2B3", "#1A2B3C4", "", "#", "#1A 2B3", " 1A2B3", "#GGGGGG", "#1A2B3C#x", "+" })
        EXPECT_FALSE(ImageColorSampler::color(QString::fromLatin1(text))) << text;
    // Every hex digit counts, in either case.
    EXPECT_EQ(ImageColorSampler::color(QStringLiteral("#fFa09F"))->toRgb(), QColor(255, 160, 159));
    // A sign is accepted the way the standard integer parser accepts it.
    EXPECT_TRUE(ImageColorSampler::color(QStringLiteral("+1A2B3")));
}
