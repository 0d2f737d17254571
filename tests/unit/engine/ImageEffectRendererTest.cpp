#include "engine/ImageEffectRenderer.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <limits>

using namespace RenderTest;
namespace Kinds = AnnotationKinds;

namespace {

TEST(ImageEffectRenderer, imageSpacePixelRectRoundsOutwardOnEachAxis)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        QRectF rect;
        QSizeF imageSize;
        QSize pixelSize;
        QRect expected;
    } cases[] = {
        { "2x, fractional", QRectF(10.3, 20.6, 5, 5), QSizeF(100, 100), QSize(200, 200), QRect(20, 41, 11, 11) },
        { "different density per axis", QRectF(10, 10, 10, 10), QSizeF(100, 50), QSize(300, 100),
            QRect(30, 20, 30, 20) },
        { "empty image", QRectF(10, 10, 10, 10), QSizeF(0, 100), QSize(0, 100), QRect() },
        { "not a number", QRectF(nan, 0, 10, 10), QSizeF(100, 100), QSize(100, 100), QRect() },
        { "huge", QRectF(0, 0, 1e300, 10), QSizeF(100, 100), QSize(100, 100), QRect(0, 0, 1 << 28, 10) },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(ImageEffectRenderer::imageSpacePixelRect(test.rect, test.imageSize, test.pixelSize), test.expected);
    }
}

// The mean colour of the source pixels under an image-space rectangle.
QColor meanColor(const Image& image, const QRectF& points)
{
    const QRect pixels = ImageEffectRenderer::imageSpacePixelRect(points, image.size(), image.pixels().size())
                             .intersected(image.pixels().rect());
    double sums[3] = {};
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QRgb pixel = image.pixels().pixel(x, y);
            sums[0] += qRed(pixel);
            sums[1] += qGreen(pixel);
            sums[2] += qBlue(pixel);
        }
    const double count = double(pixels.width()) * pixels.height();
    return QColor(
        int(std::lround(sums[0] / count)), int(std::lround(sums[1] / count)), int(std::lround(sums[2] / count)));
}

class Pixelation : public testing::TestWithParam<double> {
protected:
    Image pixelated(const QRectF& rect, std::optional<Image> original = {}) const
    {
        const Image source = original ? *original : patternImage(QSizeF(200, 120), GetParam());
        Image image = source;
        paint(image, [&](QPainter& painter) {
            ImageEffectRenderer::drawPixelated(
                painter, shape(Kinds::Pixelate { rect }), source, source.size(), QPointF());
        });
        return image;
    }

    // Every pixel of each block equals the block's first pixel and the mean of the source under it.
    static void expectUniformBlocks(const Image& result, const Image& source, const QRectF& region, QSize grid)
    {
        const QSizeF block(region.width() / grid.width(), region.height() / grid.height());
        for (int row = 0; row < grid.height(); ++row)
            for (int column = 0; column < grid.width(); ++column) {
                SCOPED_TRACE(testing::Message() << "block " << column << ", " << row);
                const QRectF cell(region.topLeft() + QPointF(column * block.width(), row * block.height()), block);
                const QRect pixels = ImageEffectRenderer::imageSpacePixelRect(
                    cell.adjusted(0.6, 0.6, -0.6, -0.6), result.size(), result.pixels().size());
                const QRgb first = result.pixels().pixel(pixels.topLeft());
                bool uniform = true;
                for (int y = pixels.top(); y <= pixels.bottom(); ++y)
                    for (int x = pixels.left(); x <= pixels.right(); ++x)
                        uniform = uniform && result.pixels().pixel(x, y) == first;
                EXPECT_TRUE(uniform);
                EXPECT_PRED3(near, QColor::fromRgba(first), meanColor(source, cell), 2);
            }
    }
};

TEST_P(Pixelation, eachBlockOfEightPointsIsOneAverageColourAndNothingOutsideChanges)
{
    const QRectF rect(20, 30, 64, 40);
    const Image source = patternImage(QSizeF(200, 120), GetParam());
    const Image result = pixelated(rect);
    expectUniformBlocks(result, source, rect, QSize(8, 5));
    EXPECT_NE(result.pixels().pixel(QPoint(int(30 * GetParam()), int(40 * GetParam()))),
        source.pixels().pixel(QPoint(int(30 * GetParam()), int(40 * GetParam()))));
    for (int y = 0; y < source.pixelHeight(); ++y)
        for (int x = 0; x < source.pixelWidth(); ++x) {
            const QPointF point(x / GetParam(), y / GetParam());
            if (!rect.contains(point)) {
                ASSERT_EQ(result.pixels().pixel(x, y), source.pixels().pixel(x, y)) << x << ", " << y;
            }
        }
}

TEST_P(Pixelation, aRegionReachingPastTheImageIsCutToItsEdgeWithEvenBlocksAndOneOutsideIsSkipped)
{
    // A smooth source, so that a block sampled from elsewhere would show.
    const Image source = gradientImage(QSizeF(200, 120), GetParam());
    const Image result = pixelated(QRectF(180, 100, 40, 40), source);
    expectUniformBlocks(result, source, QRectF(180, 100, 20, 20), QSize(3, 3));
    EXPECT_EQ(result.pixels().pixel(0, 0), source.pixels().pixel(0, 0));

    // Nothing is drawn wholly outside the image or for a single pixel.
    for (const QRectF& rect : { QRectF(300, 300, 40, 40), QRectF(-50, 10, 40, 40), QRectF(10.2, 10.2, 0.25, 0.25) })
        EXPECT_EQ(pixelated(rect, source), source) << rect.x();
}

INSTANTIATE_TEST_SUITE_P(Densities, Pixelation, testing::Values(1.0, 2.0));

TEST(ImageEffectRenderer, magnifierSampleIsTheFrameOverTheZoomKeptInsideTheImage)
{
    const struct {
        const char* name;
        QRectF frame;
        QPointF focus;
        QSizeF imageSize;
        QSize pixelSize;
        QRect expected;
    } cases[] = {
        { "focus at the top-left corner", QRectF(0, 0, 100, 100), QPointF(0, 0), QSizeF(400, 300), QSize(400, 300),
            QRect(0, 0, 46, 46) },
        { "at 2x", QRectF(0, 0, 100, 100), QPointF(0, 0), QSizeF(400, 300), QSize(800, 600), QRect(0, 0, 91, 91) },
        { "at the far corner", QRectF(0, 0, 100, 100), QPointF(400, 300), QSizeF(400, 300), QSize(400, 300),
            QRect(354, 254, 46, 46) },
        { "small lens samples 8 points", QRectF(0, 0, 10, 10), QPointF(50, 50), QSizeF(400, 300), QSize(400, 300),
            QRect(46, 46, 8, 8) },
        { "image narrower than the sample", QRectF(0, 0, 100, 100), QPointF(10, 10), QSizeF(20, 20), QSize(20, 20),
            QRect(-26, -26, 46, 46) },
        { "empty image", QRectF(0, 0, 100, 100), QPointF(10, 10), QSizeF(0, 0), QSize(0, 0), QRect() },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(ImageEffectRenderer::magnifierSamplePixelRect(
                      test.frame, test.focus, test.imageSize, test.pixelSize, ImageEffectRenderer::magnifierZoom),
            test.expected);
    }
}

} // namespace
