#include "CanvasTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

namespace Kinds = AnnotationKinds;
using testing::ElementsAre;
using testing::IsEmpty;

struct CreateDrag {
    QPointF start;
    QPointF end;
    std::vector<QPointF> points;
};
struct ArrowUpdate {
    QUuid id;
    QPointF start;
    QPointF end;
};
struct FocusUpdate {
    QUuid id;
    QPointF focus;
};

MATCHER_P2(Near, x, y, "")
{
    return std::abs(arg.x() - x) < 0.01 && std::abs(arg.y() - y) < 0.01;
}

AnnotationShape arrow(QPointF start, QPointF end, double width)
{
    return AnnotationShape::make(Kinds::Arrow { start, end }, AnnotationStyle { Qt::red, width, 28 });
}

// A 400 × 300 image on a 72-point margin, unmagnified; every callback is recorded.
class AnnotationCanvasTest : public testing::Test {
protected:
    AnnotationCanvasTest()
    {
        canvas.setImage(solidTestImage({ 400, 300 }, QColor(200, 220, 240)));
        canvas.setCanvasSize({ 544, 444 });
        canvas.setImageFrame({ 72, 72, 400, 300 });
        canvas.setCallbacks({
            [this](QPointF start, QPointF end, const std::vector<QPointF>& points) {
                drags.push_back({ start, end, points });
            },
            [this](QPointF point) { pointActions.push_back(point); },
            [this](const QUuid& id, QPointF focus) {
                focusUpdates.push_back({ id, focus });
            },
            [this](const QUuid& id, QPointF start, QPointF end) {
                arrowUpdates.push_back({ id, start, end });
            },
            [this] { ++finishedAdjustments; },
        });
        canvas.show();
    }

    void useTool(AnnotationTool tool) { canvas.setSelectedTool(tool); }
    [[nodiscard]] bool nothingReported() const
    {
        return drags.empty() && pointActions.empty() && focusUpdates.empty() && arrowUpdates.empty();
    }

    AnnotationCanvas canvas;
    CanvasGestures gesture { canvas };
    std::vector<CreateDrag> drags;
    std::vector<QPointF> pointActions;
    std::vector<FocusUpdate> focusUpdates;
    std::vector<ArrowUpdate> arrowUpdates;
    int finishedAdjustments = 0;
};

} // namespace

// Outside the image no tool starts anything; the select tool starts nothing on an empty area.
TEST_F(AnnotationCanvasTest, PointToolsActAtThePressAndNoToolActsOutsideTheImage)
{
    canvas.setAnnotations({ arrow({ 10, 10 }, { 60, 10 }, 3) });
    const std::pair<AnnotationTool, QPointF> presses[]
        = { { AnnotationTool::rectangle, { -10, 50 } }, { AnnotationTool::text, { -10, 50 } },
              { AnnotationTool::freehand, { -10, 50 } }, { AnnotationTool::select, { 200, 200 } } };
    for (const auto& [tool, press] : presses) {
        SCOPED_TRACE(AnnotationTools::rawValue(tool).toStdString());
        useTool(tool);
        gesture.press(press);
        gesture.move({ 250, 260 });
        gesture.release({ 250, 260 });
        EXPECT_TRUE(nothingReported());
    }

    // Point tools act at the press only.
    for (const AnnotationTool tool : { AnnotationTool::text, AnnotationTool::callout, AnnotationTool::colorPicker }) {
        SCOPED_TRACE(AnnotationTools::rawValue(tool).toStdString());
        pointActions.clear();
        useTool(tool);
        gesture.press({ 120.0, 80.0 });
        EXPECT_THAT(pointActions, ElementsAre(QPointF(120, 80)));
        gesture.move({ 200, 200 });
        gesture.release({ 200, 200 });
        EXPECT_EQ(pointActions.size(), 1u);
        EXPECT_THAT(drags, IsEmpty());
    }
}

TEST_F(AnnotationCanvasTest, ArrowHandlesAndBodiesAreGrabbedWithinTheirTolerances)
{
    const struct {
        double width;
        double offset;
        bool grabsHead;
    } cases[] = { { 3, 10, true }, { 3, 11, false }, { 6, 15, true }, { 6, 16, false } };
    useTool(AnnotationTool::arrow);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " offset " << c.offset);
        drags.clear();
        arrowUpdates.clear();
        const AnnotationShape shape = arrow({ 100, 100 }, { 300, 100 }, c.width);
        canvas.setAnnotations({ shape });
        gesture.drag({ 300, 100 + c.offset }, { 320, 200 });
        // A missed head starts a new arrow instead.
        ASSERT_EQ(arrowUpdates.size(), c.grabsHead ? 1u : 0u);
        ASSERT_EQ(drags.size(), c.grabsHead ? 0u : 1u);
        if (c.grabsHead) {
            EXPECT_EQ(arrowUpdates[0].id, shape.id);
            EXPECT_EQ(arrowUpdates[0].start, QPointF(100, 100));
            EXPECT_EQ(arrowUpdates[0].end, QPointF(320, 200));
        }
    }

    // Where heads overlap, the later arrow wins.
    const AnnotationShape upper = arrow({ 350, 50 }, { 204, 150 }, 4);
    canvas.setAnnotations({ arrow({ 50, 50 }, { 200, 150 }, 4), upper });
    arrowUpdates.clear();
    gesture.drag({ 202, 150 }, { 210, 160 });
    ASSERT_EQ(arrowUpdates.size(), 1u);
    EXPECT_EQ(arrowUpdates[0].id, upper.id);

    // The body moves the whole arrow within its tolerance, even out of the image.
    arrowUpdates.clear();
    drags.clear();
    finishedAdjustments = 0;
    const AnnotationShape shape = arrow({ 100, 100 }, { 300, 100 }, 3);
    canvas.setAnnotations({ shape });

    gesture.press({ 200, 107 });
    gesture.move({ 210, 117 });
    gesture.move({ 230, 87 });
    EXPECT_EQ(finishedAdjustments, 0);
    gesture.release({ 230, 87 });
    ASSERT_EQ(arrowUpdates.size(), 2u);
    EXPECT_EQ(arrowUpdates[1].start, QPointF(130, 80));
    EXPECT_EQ(arrowUpdates[1].end, QPointF(330, 80));
    EXPECT_THAT(drags, IsEmpty());
    // The release ends the move as one edit.
    EXPECT_EQ(finishedAdjustments, 1);
    arrowUpdates.clear();

    // The moved arrow may leave the image while the pointer is clamped to it.
    useTool(AnnotationTool::select);
    gesture.press({ 200, 100 });
    gesture.move({ 500, 100 }); // the pointer stops at x = 400
    ASSERT_EQ(arrowUpdates.size(), 1u);
    EXPECT_EQ(arrowUpdates[0].start, QPointF(300, 100));
    EXPECT_EQ(arrowUpdates[0].end, QPointF(500, 100));
}

TEST_F(AnnotationCanvasTest, ShiftSnapsAnArrowHandleAroundTheFixedEndAndConstrainsACreatedShape)
{
    const struct {
        const char* name;
        QPointF grab;
        QPointF to;
        QPointF expectedStart;
        QPointF expectedEnd;
    } cases[] = {
        { "head, nearly diagonal", { 150, 50 }, { 60, 59 }, { 50, 50 }, { 59.5, 59.5 } },
        { "tail, around the head", { 50, 50 }, { 140, 151 }, { 150, 151 }, { 150, 50 } },
    };
    useTool(AnnotationTool::arrow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        arrowUpdates.clear();
        canvas.setAnnotations({ arrow({ 50, 50 }, { 150, 50 }, 3) });
        gesture.press(c.grab);
        gesture.move(c.to, Qt::ShiftModifier);
        gesture.release(c.to, Qt::ShiftModifier);
        ASSERT_EQ(arrowUpdates.size(), 1u);
        EXPECT_THAT(arrowUpdates[0].start, Near(c.expectedStart.x(), c.expectedStart.y()));
        EXPECT_THAT(arrowUpdates[0].end, Near(c.expectedEnd.x(), c.expectedEnd.y()));
    }

    // Shift at the release constrains a created shape, its path included.
    useTool(AnnotationTool::rectangle);
    gesture.press({ 10, 10 });
    gesture.release({ 40, 20 }, Qt::ShiftModifier);
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].end, QPointF(40, 40));
    EXPECT_EQ(drags[0].points.back(), QPointF(40, 40));
}

TEST_F(AnnotationCanvasTest, MagnifierFocusFollowsTheDragClampedToTheImage)
{
    const AnnotationShape lens = AnnotationShape::make(
        Kinds::Magnifier { QRectF(100, 100, 80, 80), QPointF(140, 140) }, AnnotationStyle { Qt::red, 4, 28 });
    canvas.setAnnotations({ lens });
    for (const AnnotationTool tool : { AnnotationTool::select, AnnotationTool::magnifier }) {
        SCOPED_TRACE(AnnotationTools::rawValue(tool).toStdString());
        focusUpdates.clear();
        useTool(tool);
        gesture.press({ 89, 191 }); // 11 points outside the frame's corner, on both axes
        ASSERT_EQ(focusUpdates.size(), 1u);
        EXPECT_EQ(focusUpdates[0].id, lens.id);
        EXPECT_EQ(focusUpdates[0].focus, QPointF(89, 191));
        gesture.move({ -40, 120 });
        gesture.release({ -40, 120 });
        ASSERT_EQ(focusUpdates.size(), 2u);
        EXPECT_EQ(focusUpdates[1].focus, QPointF(0, 120));
        EXPECT_THAT(drags, IsEmpty());
    }

    // Past the 12-point margin the magnifier tool draws a new lens instead.
    focusUpdates.clear();
    gesture.drag({ 87, 140 }, { 20, 20 });
    EXPECT_THAT(focusUpdates, IsEmpty());
    EXPECT_EQ(drags.size(), 1u);
}

TEST_F(AnnotationCanvasTest, DragsReportTheirPath)
{
    useTool(AnnotationTool::freehand);
    gesture.press({ 10, 10 });
    gesture.move({ 20, 15 });
    gesture.move({ 30, 20 });
    gesture.release({ 30, 20 });
    ASSERT_EQ(drags.size(), 1u);
    EXPECT_EQ(drags[0].end, QPointF(30, 20));
    EXPECT_THAT(drags[0].points, ElementsAre(QPointF(10, 10), QPointF(20, 15), QPointF(30, 20), QPointF(30, 20)));

    // Other tools keep only the ends; a release outside the image is clamped to its edge.
    useTool(AnnotationTool::rectangle);
    gesture.press({ 10, 10 });
    gesture.move({ 20, 15 });
    gesture.release({ 500, -40 });
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_EQ(drags[1].end, QPointF(400, 0));
    EXPECT_THAT(drags[1].points, ElementsAre(QPointF(10, 10), QPointF(400, 0)));
}
