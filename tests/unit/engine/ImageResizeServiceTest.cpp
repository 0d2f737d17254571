#include "engine/ImageResizeService.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Every pixel names its own column and row, so a crop shows exactly where it was taken.
QRgb coordinatePixel(int x, int y)
{
    return qRgb(x & 0xff, y & 0xff, (x >> 8) | ((y >> 8) << 4));
}

Image coordinateImage(int pixelWidth, int pixelHeight, QSizeF points)
{
    QImage pixels(pixelWidth, pixelHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixelHeight; ++y)
        for (int x = 0; x < pixelWidth; ++x)
            pixels.setPixel(x, y, coordinatePixel(x, y));
    return Image(pixels, points);
}

struct CropCase {
    const char* name;
    QSize pixels;
    QSizeF points;
    QRectF rect;
    QRect expectedPixels; // in source pixels
    QSizeF expectedSize;
};

TEST(ImageResizeService, CropTakesThePixelsUnderTheRectangleRoundedOutwardOrNoneOutsideIt)
{
    const CropCase cases[] = {
        { "2x fractional origin", QSize(200, 100), QSizeF(100, 50), QRectF(10.25, 5, 20, 10), QRect(20, 10, 41, 20),
            QSizeF(20, 10) },
        { "2x whole image", QSize(200, 100), QSizeF(100, 50), QRectF(0, 0, 100, 50), QRect(0, 0, 200, 100),
            QSizeF(100, 50) },
        { "sub-pixel rectangle", QSize(400, 300), QSizeF(400, 300), QRectF(5.2, 7.9, 0.1, 0.05), QRect(5, 7, 1, 1),
            QSizeF(0.1, 0.05) },
        { "different density per axis", QSize(300, 100), QSizeF(100, 100), QRectF(10, 10, 20, 20),
            QRect(30, 10, 60, 20), QSizeF(20, 20) },
        { "past the bottom right", QSize(400, 300), QSizeF(400, 300), QRectF(350, 250, 100, 100),
            QRect(350, 250, 50, 50), QSizeF(50, 50) },
        { "before the top left", QSize(200, 100), QSizeF(100, 50), QRectF(-20, -10, 50, 40), QRect(0, 0, 60, 60),
            QSizeF(30, 30) },
        { "far larger than the image", QSize(400, 300), QSizeF(400, 300), QRectF(-1e300, -1e300, 2e300, 2e300),
            QRect(0, 0, 400, 300), QSizeF(400, 300) },
    };
    for (const CropCase& test : cases) {
        SCOPED_TRACE(test.name);
        const Image source = coordinateImage(test.pixels.width(), test.pixels.height(), test.points);
        const std::optional<Image> cropped = ImageResizeService::crop(source, test.rect);
        ASSERT_TRUE(cropped);
        EXPECT_EQ(cropped->size(), test.expectedSize);
        EXPECT_EQ(cropped->pixels(), source.pixels().copy(test.expectedPixels));
        // The cut keeps the source's density wherever the rectangle covered the image.
        if (test.expectedPixels.width() > 2) {
            EXPECT_NEAR(cropped->scaleX(), source.scaleX(), 2.0 / test.expectedSize.width());
        }
    }

    // A rectangle without area or outside the image gives none.
    const Image source = coordinateImage(200, 100, QSizeF(100, 50));
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const std::pair<const char*, QRectF> outside[] = { { "zero width", QRectF(10, 10, 0, 20) },
        { "negative width", QRectF(50, 10, -20, 20) }, { "wholly right of the image", QRectF(150, 0, 10, 10) },
        { "touching the left edge from outside", QRectF(-10, 0, 10, 10) }, { "not a number", QRectF(nan, 0, 10, 10) },
        { "infinite width", QRectF(0, 0, infinity, 10) } };
    for (const auto& [name, rect] : outside) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ImageResizeService::crop(source, rect));
    }
    EXPECT_FALSE(ImageResizeService::crop(Image(), QRectF(0, 0, 10, 10)));
}

Image halvesImage(int pixelWidth, int pixelHeight, QSizeF points)
{
    QImage pixels(pixelWidth, pixelHeight, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(QColor(Qt::red));
    for (int y = 0; y < pixelHeight; ++y)
        for (int x = pixelWidth / 2; x < pixelWidth; ++x)
            pixels.setPixel(x, y, qRgb(0, 0, 255));
    return Image(pixels, points);
}

TEST(ImageResizeService, ResizeStretchesToTheNewSizeAtTheSourceDensityButNeverToAnAbsurdSize)
{
    const std::optional<Image> stretched
        = ImageResizeService::resize(halvesImage(100, 50, QSizeF(100, 50)), QSizeF(40, 120));
    ASSERT_TRUE(stretched);
    EXPECT_EQ(stretched->size(), QSizeF(40, 120));
    ASSERT_EQ(stretched->pixels().size(), QSize(40, 120));
    for (const int y : { 0, 60, 119 }) {
        SCOPED_TRACE(y);
        EXPECT_EQ(stretched->pixels().pixel(2, y), qRgb(255, 0, 0));
        EXPECT_EQ(stretched->pixels().pixel(37, y), qRgb(0, 0, 255));
    }
    const struct {
        QSize pixels;
        QSizeF points, target;
        QSize expected;
    } densities[] = {
        { QSize(200, 100), QSizeF(100, 50), QSizeF(50, 30), QSize(100, 60) },
        { QSize(300, 100), QSizeF(100, 100), QSizeF(10, 10), QSize(30, 10) },
        { QSize(100, 100), QSizeF(100, 100), QSizeF(0.2, 0.2), QSize(1, 1) }, // never an image without pixels
    };
    for (const auto& c : densities) {
        SCOPED_TRACE(testing::Message() << c.pixels.width() << "x" << c.pixels.height() << " to " << c.target.width());
        const auto resized
            = ImageResizeService::resize(halvesImage(c.pixels.width(), c.pixels.height(), c.points), c.target);
        ASSERT_TRUE(resized);
        EXPECT_EQ(resized->pixels().size(), c.expected);
        EXPECT_EQ(resized->size(), c.target);
    }
    QImage clear(20, 20, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    const std::optional<Image> stillClear = ImageResizeService::resize(Image(clear), QSizeF(35, 9));
    ASSERT_TRUE(stillClear);
    EXPECT_EQ(stillClear->pixels().pixel(17, 4), qRgba(0, 0, 0, 0));

    // No area or an absurd size gives none.
    const Image source = halvesImage(200, 100, QSizeF(100, 50));
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const std::pair<const char*, QSizeF> absurd[]
        = { { "zero width", QSizeF(0, 10) }, { "negative", QSizeF(-5, 10) }, { "not a number", QSizeF(nan, 10) },
              { "infinite", QSizeF(infinity, 10) }, { "overflows an int", QSizeF(1e12, 1) },
              // 24000 x 24000 pixels of four bytes: just over the 2 GiB a picture may take.
              { "just over two gigabytes", QSizeF(12000, 12000) } };
    for (const auto& [name, size] : absurd) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ImageResizeService::resize(source, size));
    }
    EXPECT_FALSE(ImageResizeService::resize(Image(), QSizeF(10, 10)));
}

} // namespace
