#include "engine/AnnotationRenderer.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <QPainter>

using namespace RenderTest;
namespace Kinds = AnnotationKinds;

namespace {

const QColor white(255, 255, 255);
const QColor red(255, 0, 0);
const QColor blue(0, 0, 255);
const QColor dark(40, 40, 40);

void drawShape(Image& image, const AnnotationShape& shape, QPointF origin = {})
{
    paint(image, [&](QPainter& painter) { AnnotationRenderer::draw(painter, shape, image.size(), origin); });
}

struct Probe {
    QPointF point;
    QColor expected;
};

// The bounds, in points, of the pure white pixels inside `area`.
QRectF whiteInk(const Image& image, const QRectF& area)
{
    QRectF bounds;
    for (int y = 0; y < image.pixelHeight(); ++y)
        for (int x = 0; x < image.pixelWidth(); ++x) {
            const QPointF point(x / image.scaleX(), y / image.scaleY());
            if (area.contains(point) && near(QColor::fromRgba(image.pixels().pixel(x, y)), white, 10))
                bounds |= QRectF(point, QSizeF(0.5, 0.5));
        }
    return bounds;
}

class StrokeProbes : public testing::TestWithParam<double> {
protected:
    void SetUp() override { ensureGuiApplication(); }
    Image canvas() const { return filledImage(QSizeF(300, 200), GetParam(), white); }

    void expectProbes(const AnnotationShape& shape, std::initializer_list<Probe> probes)
    {
        Image image = canvas();
        drawShape(image, shape);
        for (const Probe& probe : probes) {
            SCOPED_TRACE(testing::Message() << "at (" << probe.point.x() << ", " << probe.point.y() << ")");
            EXPECT_PRED3(near, RenderTest::probe(image, probe.point), probe.expected, 8);
        }
    }
};

TEST_P(StrokeProbes, outlinesFollowTheirGeometryAndLeaveTheInsideAlone)
{
    expectProbes(shape(Kinds::Rectangle { QRectF(20, 20, 100, 60) }),
        { { { 20, 50 }, red }, { { 70, 20 }, red }, { { 120, 50 }, red }, { { 70, 80 }, red }, { { 70, 50 }, white },
            { { 70, 15 }, white }, { { 125, 50 }, white } });
    // The oval is inscribed in its rectangle.
    expectProbes(shape(Kinds::Oval { QRectF(20, 20, 100, 60) }),
        { { { 70, 20 }, red }, { { 20, 50 }, red }, { { 70, 50 }, white }, { { 23, 23 }, white } });
    expectProbes(
        shape(Kinds::Line { QPointF(10, 10), QPointF(110, 60) }), { { { 60, 35 }, red }, { { 60, 45 }, white } });
    expectProbes(shape(Kinds::Freehand { { QPointF(10, 90), QPointF(60, 90), QPointF(60, 130) } }),
        { { { 35, 90 }, red }, { { 60, 110 }, red }, { { 35, 110 }, white } });
}

INSTANTIATE_TEST_SUITE_P(Densities, StrokeProbes, testing::Values(1.0, 2.0));

TEST(AnnotationRenderer, drawsNothingForEffectKindsAndForPolylinesWithoutASegment)
{
    ensureGuiApplication();
    const AnnotationShape shapes[]
        = { shape(Kinds::Pixelate { QRectF(10, 10, 50, 50) }), shape(Kinds::Spotlight { QRectF(10, 10, 50, 50) }),
              shape(Kinds::Magnifier { QRectF(10, 10, 50, 50), QPointF(30, 30) }),
              shape(Kinds::Freehand { { QPointF(30, 30) } }), shape(Kinds::Highlight { { QPointF(30, 30) } }),
              shape(Kinds::Text { QPointF(10, 10), QString() }) };
    for (const AnnotationShape& each : shapes) {
        SCOPED_TRACE(each.kind.index());
        Image image = filledImage(QSizeF(80, 80), 1, white);
        const Image before = image;
        drawShape(image, each);
        EXPECT_EQ(image, before);
    }
}

TEST(AnnotationRenderer, calloutNumberIsWhiteCentredOnTheBadgeAndNeverClipped)
{
    ensureGuiApplication();
    const QPointF center(100, 60);
    Image single = filledImage(QSizeF(200, 120), 2, dark);
    drawShape(single, shape(Kinds::Callout { center, 8 }, red, 1, 40));
    // Only the digit is pure white (the ring is white at 0.92 over the badge).
    const QRectF digit = whiteInk(single, QRectF(0, 0, 200, 120));
    ASSERT_FALSE(digit.isEmpty());
    EXPECT_NEAR(digit.center().x(), center.x(), 1.5);
    EXPECT_LT(digit.width(), 2 * 23.2);

    Image wide = filledImage(QSizeF(200, 120), 2, dark);
    drawShape(wide, shape(Kinds::Callout { center, 12345 }, red, 1, 40));
    EXPECT_GT(whiteInk(wide, QRectF(center.x() + 23.2 + 3, 0, 200, 120)).width(), 5)
        << "digits beyond the badge are drawn";
}

TEST(AnnotationRenderer, measurementHasHorizontalTicksAndALabelBoxAtItsMiddle)
{
    ensureGuiApplication();
    const QPointF start(100, 40), end(100, 240);
    const QString label = QStringLiteral("0 × 200");
    Image image = filledImage(QSizeF(200, 280), 2, white);
    drawShape(image, shape(Kinds::Measurement { start, end, label }, blue, 4, 28));
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&device);
    const QRectF box = AnnotationRenderer::measurementLabelBox(painter, start, end, label, { blue, 4, 28 });

    EXPECT_NEAR(box.center().x(), 100, 1e-9);
    EXPECT_NEAR(box.center().y(), 140, 1e-9);
    const QColor boxFill = blended(QColor(0, 0, 255, 235), white);
    EXPECT_PRED3(near, probe(image, QPointF(box.center().x() - 20, box.top() + 1.5)), boxFill, 6);
    EXPECT_PRED3(near, probe(image, QPointF(box.center().x() - 20, box.top() - 1.5)), white, 6);
    EXPECT_PRED3(near, probe(image, QPointF(93, 40)), blue, 8);
    EXPECT_PRED3(near, probe(image, QPointF(107, 240)), blue, 8);
    EXPECT_PRED3(near, probe(image, QPointF(93, 45)), white, 8);
    EXPECT_GT(whiteInk(image, box.adjusted(2, 2, -2, -2)).width(), box.width() / 2)
        << "the label is drawn in white over the box";
}

} // namespace
