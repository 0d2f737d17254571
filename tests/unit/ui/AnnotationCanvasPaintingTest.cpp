#include "CanvasTestSupport.h"

#include "engine/FlattenedImageRenderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace Kinds = AnnotationKinds;

// A picture with detail everywhere, so pixelation and lenses have something to show.
Image stripes(QSize size)
{
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&pixels);
    for (int x = 0; x < size.width(); x += 10)
        painter.fillRect(x, 0, 10, size.height(), QColor::fromHsv((x * 3) % 360, 160, 230));
    painter.fillRect(0, size.height() / 2, size.width(), 6, Qt::black);
    return Image(pixels);
}

std::vector<AnnotationShape> everyEffectAndSomeVectors()
{
    const AnnotationStyle style { QColor(255, 59, 48), 4, 24 };
    return {
        AnnotationShape::make(Kinds::Pixelate { QRectF(20, 20, 90, 60) }, style),
        AnnotationShape::make(Kinds::Rectangle { QRectF(140, 30, 100, 70) }, style),
        AnnotationShape::make(Kinds::Spotlight { QRectF(40, 140, 120, 80) }, style),
        AnnotationShape::make(Kinds::Magnifier { QRectF(250, 150, 90, 90), QPointF(60, 100) }, style),
        AnnotationShape::make(Kinds::Arrow { QPointF(200, 250), QPointF(330, 120) }, style),
        AnnotationShape::make(Kinds::Freehand { { { 30, 250 }, { 60, 230 }, { 90, 270 } } }, style),
    };
}

// How many pixels of `area` differ by more than `tolerance` in some channel.
int differingPixels(const QImage& a, const QImage& b, QRect area, int tolerance)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance
                || std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++count;
        }
    return count;
}

class AnnotationCanvasPaintingTest : public testing::Test {
protected:
    AnnotationCanvasPaintingTest()
    {
        place(canvas);
        canvas.show();
    }

    // The picture on a 72-point margin, unmagnified.
    void place(AnnotationCanvas& target) const
    {
        target.setImage(image);
        target.setCanvasSize({ 544, 444 });
        target.setImageFrame({ 72, 72, 400, 300 });
    }

    // The image area of a canvas as shown, unmagnified unless another area is given.
    static QImage shown(AnnotationCanvas& target, QRect area = QRect(72, 72, 400, 300))
    {
        return target.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Without the rounded corners and the outline.
    static QRect interior() { return QRect(1, 18, 398, 300 - 36); }

    // The same document on a canvas drawn afresh, without a cache or a gesture.
    [[nodiscard]] QImage fresh(const std::vector<AnnotationShape>& shapes) const
    {
        AnnotationCanvas reference;
        place(reference);
        reference.setAnnotations(shapes);
        return shown(reference);
    }

    Image image = stripes({ 400, 300 });
    AnnotationCanvas canvas;
};

} // namespace

// The canvas draws its committed shapes from a cache; what it shows must still be what a
// canvas drawn afresh shows, also after the document changes.
TEST_F(AnnotationCanvasPaintingTest, ShowsWhatAFreshCanvasShowsAndFollowsTheMagnification)
{
    std::vector<AnnotationShape> shapes = everyEffectAndSomeVectors();
    for (const std::size_t count : { shapes.size(), shapes.size() - 1, std::size_t(0) }) {
        SCOPED_TRACE(count);
        shapes.resize(count);
        canvas.setAnnotations(shapes);
        EXPECT_EQ(differingPixels(shown(canvas), fresh(shapes), interior(), 0), 0);
    }

    // Magnified by a half, it shows the export scaled down.
    shapes = everyEffectAndSomeVectors();
    canvas.setAnnotations(shapes);
    canvas.setMagnification(0.5);
    const std::optional<Image> exported = FlattenedImageRenderer::render(image, shapes, false, false, {});
    ASSERT_TRUE(exported);
    const QImage expected = exported->pixels()
                                .convertToFormat(QImage::Format_RGB32)
                                .scaled(200, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect area(1, 9, 198, 132);
    // Resampled along a different road, so edges may differ a little; the picture may not.
    EXPECT_LT(
        differingPixels(shown(canvas, QRect(36, 36, 200, 150)), expected, area, 24), area.width() * area.height() / 50);
}

// Dragging an arrow repaints it over a cached layer of everything else.
TEST_F(AnnotationCanvasPaintingTest, EveryStepOfAnArrowDragShowsWhatAFreshCanvasShows)
{
    const AnnotationStyle style { Qt::red, 6, 28 };
    std::vector<AnnotationShape> shapes { AnnotationShape::make(Kinds::Arrow { { 40, 60 }, { 200, 60 } }, style),
        AnnotationShape::make(Kinds::Rectangle { QRectF(250, 150, 100, 80) }, AnnotationStyle { Qt::blue, 4, 28 }),
        AnnotationShape::make(Kinds::Arrow { { 60, 250 }, { 300, 250 } }, style) };
    canvas.setSelectedTool(AnnotationTool::select);
    canvas.setAnnotations(shapes);
    std::vector<Kinds::Arrow> updates;
    canvas.setCallbacks({ {}, {}, {},
        [&](const QUuid&, QPointF start, QPointF end) {
            updates.push_back({ start, end });
        },
        {} });
    CanvasGestures gesture(canvas);
    gesture.press({ 120, 60 });
    // At (250, 135) the arrow's shadow falls on the rectangle's top edge, under that edge.
    for (const QPointF to : { QPointF(120, 100), QPointF(140, 180), QPointF(250, 135), QPointF(160, 140) }) {
        SCOPED_TRACE(testing::Message() << to.x() << ", " << to.y());
        gesture.move(to);
        ASSERT_FALSE(updates.empty());
        // The editor's state answers each step with the moved arrow.
        shapes[0].kind = updates.back();
        canvas.setAnnotations(shapes);
        EXPECT_EQ(differingPixels(shown(canvas), fresh(shapes), interior(), 2), 0);
    }
    gesture.release({ 160, 140 });
    EXPECT_FALSE(canvas.isDragging());
    EXPECT_EQ(differingPixels(shown(canvas), fresh(shapes), interior(), 2), 0) << "after the drag";
}
