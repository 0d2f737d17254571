#include "engine/ImageCompositionService.h"

#include <gtest/gtest.h>

namespace {

const QColor canvasGrey = QColor::fromRgbF(0.97f, 0.97f, 0.97f);

// A picture with a distinct colour in every pixel, so any shift or scaling shows.
Image pattern(int width, int height, int density = 1)
{
    QImage pixels(width * density, height * density, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + y) & 0xFF));
    return Image(pixels, QSizeF(width, height));
}

// Whether `canvas` holds `image` at `origin` (pixels), ignoring the rounded corners.
testing::AssertionResult showsImage(const QImage& canvas, const Image& image, QPoint origin, int cornerPixels)
{
    const QImage& pixels = image.pixels();
    for (int y = cornerPixels; y < pixels.height() - cornerPixels; ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (canvas.pixel(origin.x() + x, origin.y() + y) != pixels.pixel(x, y))
                return testing::AssertionFailure() << "pixel " << x << "," << y << " of the image differs";
        }
    }
    return testing::AssertionSuccess();
}

} // namespace

TEST(ImageCompositionStacking, ImagesStandCentredOneUnderAnotherWithPaddingOnEverySideKeepingEveryPixel)
{
    const Image wide = pattern(100, 60);
    const Image narrow = pattern(60, 40);
    const auto stacked = ImageCompositionService::stackVertically({ wide, narrow }, 28, 28, canvasGrey);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->size(), QSizeF(156, 28 + 60 + 28 + 40 + 28));
    EXPECT_TRUE(showsImage(stacked->pixels(), wide, { 28, 28 }, 18));
    EXPECT_TRUE(showsImage(stacked->pixels(), narrow, { 48, 116 }, 18));
    EXPECT_EQ(stacked->pixels().pixel(0, 0), canvasGrey.rgb());
    // The rounded corner cuts the image's corner pixel, leaving the card or the background.
    EXPECT_NE(stacked->pixels().pixel(28, 28), wide.pixels().pixel(0, 0));

    // Double density keeps every pixel.
    const Image retina = pattern(100, 60, 2);
    const Image plain = pattern(50, 20);
    const auto dense = ImageCompositionService::stackVertically({ retina, plain }, 10, 20, Qt::black);
    ASSERT_TRUE(dense);
    EXPECT_EQ(dense->size(), QSizeF(140, 20 + 60 + 10 + 20 + 20));
    EXPECT_EQ(dense->pixels().size(), QSize(280, 260));
    EXPECT_TRUE(showsImage(dense->pixels(), retina, { 40, 40 }, 36));
}

TEST(ImageCompositionStacking, ImagesWithoutSizeAreDroppedAndAnUnusableLayoutGivesNoImage)
{
    const Image image = pattern(30, 30);
    const auto stacked = ImageCompositionService::stackVertically(
        { Image(), image, Image(QImage(4, 4, QImage::Format_RGB32), QSizeF(4, 0)) }, 28, 28, canvasGrey);
    ASSERT_TRUE(stacked);
    EXPECT_EQ(stacked->size(), QSizeF(86, 86));
    EXPECT_FALSE(ImageCompositionService::stackVertically({}, 28, 28, canvasGrey));
    EXPECT_FALSE(ImageCompositionService::stackVertically({ Image() }, 28, 28, canvasGrey));
    EXPECT_FALSE(ImageCompositionService::stackVertically({ image }, 28, qQNaN(), canvasGrey));
    EXPECT_FALSE(ImageCompositionService::stackVertically({ image }, 28, -100, canvasGrey));
    EXPECT_FALSE(ImageCompositionService::stackVertically({ image, image }, 1e12, 28, canvasGrey));
}
