// Dragging an arrow repaints that arrow over a cached layer of everything else; what the
// canvas shows must not differ from a canvas drawn from scratch.
#include "CanvasTestSupport.h"

#include "ui/editor/CommittedLayerCache.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace Kinds = AnnotationKinds;

AnnotationShape arrow(QPointF start, QPointF end, QColor color)
{
    return AnnotationShape::make(Kinds::Arrow { start, end }, AnnotationStyle { color, 6, 28 });
}

class ArrowDrag : public testing::Test {
protected:
    ArrowDrag() { setUp(canvas); }

    void setUp(AnnotationCanvas& target)
    {
        target.setImage(image);
        target.setCanvasSize({ 544, 444 });
        target.setImageFrame({ 72, 72, 400, 300 });
        target.setSelectedTool(AnnotationTool::select);
    }

    static QImage shown(AnnotationCanvas& target)
    {
        QImage pixels(target.size(), QImage::Format_ARGB32_Premultiplied);
        pixels.fill(Qt::white);
        target.render(&pixels);
        return pixels;
    }

    // Largest channel difference between two renderings of the same size.
    static int largestDifference(const QImage& a, const QImage& b)
    {
        int largest = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                largest = std::max({ largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                    std::abs(qBlue(p) - qBlue(q)) });
            }
        }
        return largest;
    }

    // A canvas drawn from scratch with the given annotations, no gesture in progress.
    QImage fresh(const std::vector<AnnotationShape>& annotations)
    {
        AnnotationCanvas reference;
        setUp(reference);
        reference.setAnnotations(annotations);
        return shown(reference);
    }

    Image image = solidTestImage({ 400, 300 }, QColor(200, 220, 240));
    AnnotationCanvas canvas;
    CanvasGestures gesture { canvas };
};

} // namespace

TEST_F(ArrowDrag, EveryStepShowsWhatAFreshCanvasShows)
{
    std::vector<AnnotationShape> shapes { arrow({ 40, 60 }, { 200, 60 }, Qt::red),
        AnnotationShape::make(Kinds::Rectangle { QRectF(250, 150, 100, 80) }, AnnotationStyle { Qt::blue, 4, 28 }),
        arrow({ 60, 250 }, { 300, 250 }, QColor(20, 160, 60)) };
    canvas.setAnnotations(shapes);
    std::vector<std::pair<QPointF, QPointF>> updates;
    canvas.setCallbacks(
        { {}, {}, {}, [&](const QUuid&, QPointF start, QPointF end) { updates.emplace_back(start, end); }, {} });

    gesture.press({ 120, 60 });
    // At (250, 135) the arrow's shadow falls on the rectangle's top edge, under that edge.
    for (const QPointF to : { QPointF(120, 100), QPointF(140, 180), QPointF(250, 135), QPointF(160, 140) }) {
        SCOPED_TRACE(testing::Message() << to.x() << ", " << to.y());
        gesture.move(to);
        ASSERT_FALSE(updates.empty());
        // The editor's state answers each step with the moved arrow.
        std::get<Kinds::Arrow>(shapes[0].kind) = Kinds::Arrow { updates.back().first, updates.back().second };
        canvas.setAnnotations(shapes);
        EXPECT_LE(largestDifference(shown(canvas), fresh(shapes)), 2);
    }
    gesture.release({ 160, 140 });
    EXPECT_FALSE(canvas.isDragging());
    EXPECT_LE(largestDifference(shown(canvas), fresh(shapes)), 2) << "after the drag";
}

TEST(CommittedLayerCache, TheSameContentKeepsTheLayerAndAChangeRendersItAgain)
{
    CommittedLayerCache cache;
    const Image image = solidTestImage({ 200, 100 }, Qt::white);
    std::vector<AnnotationShape> shapes { arrow({ 10, 10 }, { 150, 80 }, Qt::red) };
    cache.setContent(image, shapes);
    const qint64 first = cache.layer(1).cacheKey();
    cache.setContent(image, shapes);
    EXPECT_EQ(cache.layer(1).cacheKey(), first);

    std::get<Kinds::Arrow>(shapes[0].kind).end = QPointF(150, 20);
    cache.setContent(image, shapes);
    const QImage& changed = cache.layer(1);
    EXPECT_NE(changed.cacheKey(), first);
    EXPECT_EQ(changed.pixel(150, 80), qRgb(255, 255, 255)) << "the old arrow head is gone";
}
