#include "engine/ShadowRenderer.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <cmath>
#include <numeric>

namespace {

struct Moments {
    double mass = 0;
    double meanX = 0, meanY = 0;
    double varianceX = 0, varianceY = 0;
};

Moments moments(const ShadowRenderer::AlphaPlane& plane)
{
    Moments result;
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const double value = plane.values[size_t(y * plane.width + x)];
            result.mass += value;
            result.meanX += value * x;
            result.meanY += value * y;
        }
    result.meanX /= result.mass;
    result.meanY /= result.mass;
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const double value = plane.values[size_t(y * plane.width + x)];
            result.varianceX += value * (x - result.meanX) * (x - result.meanX);
            result.varianceY += value * (y - result.meanY) * (y - result.meanY);
        }
    result.varianceX /= result.mass;
    result.varianceY /= result.mass;
    return result;
}

TEST(ShadowRenderer, blurSpreadsAPointLikeAGaussianOfTheGivenDeviationPerAxis)
{
    const std::pair<double, double> sigmas[] = { { 2, 2 }, { 5, 12 }, { 12, 0 }, { 30, 8 } };
    for (const auto& [sigmaX, sigmaY] : sigmas) {
        SCOPED_TRACE(testing::Message() << sigmaX << ", " << sigmaY);
        ShadowRenderer::AlphaPlane plane { 301, 301, std::vector<float>(301 * 301, 0.0f) };
        plane.values[150 * 301 + 150] = 255;
        ShadowRenderer::blur(plane, sigmaX, sigmaY);
        const Moments result = moments(plane);
        EXPECT_NEAR(result.mass, 255, 0.1);
        EXPECT_NEAR(result.meanX, 150, 1e-3);
        EXPECT_NEAR(result.meanY, 150, 1e-3);
        EXPECT_NEAR(std::sqrt(result.varianceX), sigmaX, 0.1 * sigmaX + 0.01);
        EXPECT_NEAR(std::sqrt(result.varianceY), sigmaY, 0.1 * sigmaY + 0.01);
        // Unimodal: falls off monotonically from the centre along each axis.
        for (int x = 151; x < 300; ++x)
            ASSERT_LE(plane.values[size_t(150 * 301 + x)], plane.values[size_t(150 * 301 + x - 1)] + 1e-3);
    }
}

// The shadow of an opaque square in the middle of a transparent image, drawn as the renderer
// intends (stretched with smooth scaling) onto a transparent image of the same size.
QImage shadowOfSquare(QPointF sigma, QPointF offset)
{
    QImage source(400, 400, QImage::Format_ARGB32_Premultiplied);
    source.fill(Qt::transparent);
    {
        QPainter painter(&source);
        painter.fillRect(QRect(150, 150, 100, 100), Qt::blue);
    }
    const ShadowRenderer::Shadow shadow
        = ShadowRenderer::castShadow(source, source.rect(), QColor(0, 0, 0, 64), sigma, offset);
    QImage result(400, 400, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(shadow.targetRect, shadow.image);
    return result;
}

TEST(ShadowRenderer, shadowIsSoftMovedByTheOffsetAndAsStrongAsTheColoursAlpha)
{
    for (const double sigma : { 4.0, 16.0 }) {
        SCOPED_TRACE(sigma);
        const QImage shadow = shadowOfSquare(QPointF(sigma, sigma), QPointF(0, 24));
        EXPECT_NEAR(qAlpha(shadow.pixel(200, 224)), 64, 2) << "full strength under the middle";
        EXPECT_EQ(qRed(shadow.pixel(200, 224)), 0);
        // Below the moved square the alpha falls off with distance; above it there is less.
        int previous = 64;
        for (const double distance : { 0.25 * sigma, sigma, 1.75 * sigma }) {
            const int alpha = qAlpha(shadow.pixel(200, 274 + int(distance)));
            EXPECT_LT(alpha, previous) << distance;
            previous = alpha;
        }
        EXPECT_LT(qAlpha(shadow.pixel(200, 150 - 2)), qAlpha(shadow.pixel(200, 250 + 2)));
        EXPECT_NEAR(qAlpha(shadow.pixel(150 - 5, 224)), qAlpha(shadow.pixel(250 + 4, 224)), 2) << "symmetric";
        EXPECT_EQ(qAlpha(shadow.pixel(200, 399)), 0);
    }
}

TEST(ShadowRenderer, nothingToCastGivesANullShadow)
{
    QImage indexed(10, 10, QImage::Format_Indexed8);
    EXPECT_TRUE(ShadowRenderer::castShadow(indexed, indexed.rect(), Qt::black, { 4, 4 }, {}).image.isNull());
    QImage argb(10, 10, QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(ShadowRenderer::castShadow(argb, QRect(20, 20, 5, 5), Qt::black, { 4, 4 }, {}).image.isNull());
}

} // namespace
