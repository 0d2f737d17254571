#include "engine/FlattenedImageRenderer.h"
#include "engine/ImageEffectRenderer.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <vector>

using namespace RenderTest;
namespace Kinds = AnnotationKinds;
using Style = WindowBackgroundStyle;

namespace {

const QColor white(255, 255, 255);
const QColor red(255, 0, 0);
const QColor slate = QColor::fromRgbF(0.18f, 0.19f, 0.22f);
const QColor dimmedWhite = blended(QColor(0, 0, 0, 115), white);

Image flatten(const Image& base, const std::vector<AnnotationShape>& annotations, Style style = Style::solidColor,
    bool backdrop = true)
{
    return FlattenedImageRenderer::render(base, annotations, backdrop, backdrop, style).value();
}

TEST(FlattenedImageRenderer, backdropPadsSixtyFourPointsAtTheImagesOwnDensityOnlyWhenAsked)
{
    const Image base = patternImage(QSizeF(300, 200), 2);
    const std::tuple<bool, bool, Style> requests[] = { { false, true, Style::solidColor },
        { true, false, Style::solidColor }, { true, true, Style::transparent } };
    for (const auto& [include, enabled, style] : requests) {
        SCOPED_TRACE(testing::Message() << include << enabled << int(style));
        EXPECT_EQ(FlattenedImageRenderer::render(base, {}, include, enabled, style), base);
    }
    EXPECT_FALSE(FlattenedImageRenderer::render(Image(), {}, true, true, Style::wallpaper).has_value());

    // A backdrop pads sixty-four points at the image's own density.
    const struct {
        const char* name;
        QSizeF points;
        QSize pixels;
        QSizeF expectedPoints;
        QSize expectedPixels;
    } cases[] = {
        { "2x", QSizeF(300, 200), QSize(600, 400), QSizeF(428, 328), QSize(856, 656) },
        { "2x with half points", QSizeF(150.5, 100.5), QSize(301, 201), QSizeF(278.5, 228.5), QSize(557, 457) },
        { "density per axis", QSizeF(300, 100), QSize(600, 300), QSizeF(428, 228), QSize(856, 684) },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QImage pixels(test.pixels, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(red);
        const Image result = flatten(Image(pixels, test.points), {});
        EXPECT_EQ(result.size(), test.expectedPoints);
        EXPECT_EQ(result.pixels().size(), test.expectedPixels);
        EXPECT_PRED3(
            near, probe(result, QPointF(64, 64) + QPointF(test.points.width(), test.points.height()) / 2), red, 0);
    }
}

TEST(FlattenedImageRenderer, spotlightDimsEffectsButNeverAVectorAnnotationWhateverTheOrder)
{
    ensureGuiApplication();
    const Image base = filledImage(QSizeF(300, 200), 2, white);
    const Image result = flatten(base,
        {
            shape(Kinds::Arrow { QPointF(20, 100), QPointF(200, 100) }, red, 6),
            shape(Kinds::Spotlight { QRectF(220, 20, 60, 60) }),
            shape(Kinds::Pixelate { QRectF(20, 140, 40, 40) }),
        },
        Style::solidColor, false);
    EXPECT_PRED3(near, probe(result, QPointF(100, 100)), red, 0);
    EXPECT_PRED3(near, probe(result, QPointF(100, 130)), dimmedWhite, 2);
    EXPECT_PRED3(near, probe(result, QPointF(40, 160)), dimmedWhite, 2) << "the pixelation lies under the dimming";
    EXPECT_PRED3(near, probe(result, QPointF(250, 50)), white, 0);
}

TEST(FlattenedImageRenderer, severalSpotlightsLookAsIfDrawnOneAfterAnother)
{
    const Image base = patternImage(QSizeF(300, 200), 2);
    const std::vector<AnnotationShape> spotlights = {
        shape(Kinds::Spotlight { QRectF(20, 20, 80, 60) }, red, 4),
        shape(Kinds::Spotlight { QRectF(60, 50, 120, 80) }, QColor(0, 122, 255), 6),
        shape(Kinds::Spotlight { QRectF(200, 120, 60, 50) }, QColor(255, 204, 0), 2),
        shape(Kinds::Spotlight { QRectF(270, -20, 60, 50) }, red, 2),
    };
    Image expected = base;
    paint(expected, [&](QPainter& painter) {
        for (const AnnotationShape& each : spotlights)
            ImageEffectRenderer::drawSpotlight(painter, each, base.size(), QPointF());
    });
    const Image result = flatten(base, spotlights, Style::solidColor, false);
    int largest = 0;
    for (int y = 0; y < base.pixelHeight(); ++y)
        for (int x = 0; x < base.pixelWidth(); ++x) {
            const QRgb a = result.pixels().pixel(x, y), b = expected.pixels().pixel(x, y);
            largest = std::max({ largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                std::abs(qBlue(a) - qBlue(b)) });
        }
    EXPECT_LE(largest, 2);
}

TEST(FlattenedImageRenderer, lensesSampleTheUnannotatedImageAndLieUnderVectorAnnotations)
{
    ensureGuiApplication();
    Image base = filledImage(QSizeF(300, 200), 2, white);
    paint(base, [](QPainter& painter) { painter.fillRect(QRectF(50, 50, 4, 4), Qt::black); });
    const QPointF lensCenter(194, 144);
    const Image result = flatten(base,
        {
            shape(Kinds::Line { QPointF(150, 120), QPointF(238, 120) }, red, 4),
            shape(Kinds::Pixelate { QRectF(40, 40, 24, 24) }),
            shape(Kinds::Magnifier { QRectF(150, 100, 88, 88), QPointF(52, 52) }),
        },
        Style::solidColor, false);
    EXPECT_PRED3(near, probe(result, lensCenter), QColor(0, 0, 0), 10) << "not the pixelated grey";
    EXPECT_PRED3(near, probe(result, lensCenter + QPointF(3.5, 0)), QColor(0, 0, 0), 40) << "enlarged 2.2 times";
    EXPECT_PRED3(near, probe(result, QPointF(194, 120)), red, 0) << "the earlier line is drawn over the lens";
    EXPECT_PRED3(near, probe(result, QPointF(52, 52)), QColor(191, 191, 191), 2) << "pixelated";
}

TEST(FlattenedImageRenderer, annotationsAndDimmingAreCutAtTheImagesRoundedEdgeInAFramedExport)
{
    ensureGuiApplication();
    const Image base = filledImage(QSizeF(300, 200), 2, white);
    const Image result = flatten(base,
        {
            shape(Kinds::Line { QPointF(250, 100), QPointF(400, 100) }, red, 6),
            shape(Kinds::Line { QPointF(-20, -20), QPointF(40, 40) }, red, 12),
            shape(Kinds::Text { QPointF(240, 20), QStringLiteral("WWWWWWWWWW") }, red, 4, 40),
            shape(Kinds::Spotlight { QRectF(100, 150, 20, 20) }),
        });
    // The spotlight dims the picture around its hole, never the frame.
    EXPECT_PRED3(near, probe(result, QPointF(64 + 60, 64 + 150)), dimmedWhite, 2);
    EXPECT_PRED3(near, probe(result, QPointF(64 + 110, 64 + 160)), white, 0);
    EXPECT_PRED3(near, probe(result, QPointF(64 + 290, 164)), red, 0);
    EXPECT_PRED3(near, probe(result, QPointF(64 + 305, 164)), slate, 8);
    EXPECT_PRED3(near, probe(result, QPointF(65, 65)), slate, 12) << "the rounded corner cuts the line";
    EXPECT_PRED3(near, probe(result, QPointF(76, 76)), red, 0);
    bool textInPadding = false;
    bool textInImage = false;
    for (double y = 64 + 26; y < 64 + 80; y += 0.5)
        for (double x = 64 + 280; x < 428; x += 0.5) {
            const QColor pixel = probe(result, QPointF(x, y));
            const bool reddish = pixel.red() > pixel.green() + 60;
            (x < 64 + 300 ? textInImage : textInPadding) |= reddish;
        }
    EXPECT_TRUE(textInImage);
    EXPECT_FALSE(textInPadding);
}

} // namespace
