#include "CanvasTestSupport.h"
#include "unit/app/AppStateFixture.h"

#include "ui/editor/CanvasViewport.h"

#include <QCoreApplication>
#include <QNativeGestureEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <gmock/gmock.h>

#include <cmath>

namespace {

// A 1000 × 700 viewport on the application state. Layout and the zoom write-back are
// queued, so every change is followed by a few turns of the event loop.
class CanvasViewportTest : public AppStateTest {
protected:
    CanvasViewportTest()
    {
        viewport.resize(1000, 700);
        viewport.show();
        settle();
    }

    static void settle()
    {
        for (int turn = 0; turn < 4; ++turn)
            QCoreApplication::processEvents();
    }

    void load(QSize size)
    {
        state.baseImage.set(solidImage(size, QColor(40, 140, 220)));
        state.prepareImagePresentation();
        settle();
    }

    void scrollToTopLeft()
    {
        auto* area = viewport.findChild<QScrollArea*>();
        area->horizontalScrollBar()->setValue(0);
        area->verticalScrollBar()->setValue(0);
    }

    [[nodiscard]] QPointF visibleCentre() const { return viewport.visibleCanvasRect().center(); }
    [[nodiscard]] QPointF canvasCentre() const
    {
        const QSizeF size = canvas().canvasSize();
        return { size.width() / 2, size.height() / 2 };
    }
    [[nodiscard]] AnnotationCanvas& canvas() const { return viewport.canvas(); }

    CanvasViewport viewport { state };
};

// Within a few points: scroll positions are whole pixels of the magnified canvas.
MATCHER_P(NearPoint, expected, "")
{
    return std::abs(arg.x() - expected.x()) < 3 && std::abs(arg.y() - expected.y()) < 3;
}

} // namespace

// A new image fits, centred; the fitted magnification is written back, so a zoom step starts
// from it. A change of zoom behaviour recentres; a custom zoom step keeps the visible centre.
TEST_F(CanvasViewportTest, NewImageFitsCentredAndZoomChangesKeepTheirCentre)
{
    load({ 2000, 1000 });
    EXPECT_DOUBLE_EQ(viewport.magnification(), 0.5);
    EXPECT_EQ(canvas().imageFrame(), QRectF(72, 200, 2000, 1000));
    EXPECT_THAT(visibleCentre(), NearPoint(canvasCentre()));
    EXPECT_DOUBLE_EQ(state.zoomScale(), 0.5);

    // Small resizes keep the fit; larger ones refit in place, not recentred.
    scrollToTopLeft();
    viewport.resize(1005, 700);
    settle();
    EXPECT_DOUBLE_EQ(viewport.magnification(), 0.5);
    viewport.resize(1009, 700);
    settle();
    const double fitted = 1009.0 / 2000;
    EXPECT_DOUBLE_EQ(viewport.magnification(), fitted);
    EXPECT_LT(visibleCentre().x(), canvasCentre().x() - 30);

    state.zoomToActualSize();
    settle();
    EXPECT_DOUBLE_EQ(viewport.magnification(), 1.0);
    EXPECT_THAT(visibleCentre(), NearPoint(canvasCentre()));

    scrollToTopLeft();
    state.zoomBehavior.set(ZoomBehavior::fit);
    settle();
    EXPECT_DOUBLE_EQ(viewport.magnification(), fitted);
    EXPECT_THAT(visibleCentre(), NearPoint(canvasCentre()));
    state.zoomIn();
    settle();
    EXPECT_NEAR(viewport.magnification(), fitted * 1.2, 1e-9);

    state.zoomToActualSize();
    settle();
    scrollToTopLeft();
    state.zoomIn();
    settle();
    EXPECT_NEAR(viewport.magnification(), 1.2, 1e-9);
    EXPECT_THAT(visibleCentre(), NearPoint(canvasCentre())) << "actual size to custom";

    scrollToTopLeft();
    const QPointF corner = visibleCentre();
    state.zoomIn();
    settle();
    EXPECT_NEAR(viewport.magnification(), 1.44, 1e-9);
    EXPECT_THAT(visibleCentre(), NearPoint(corner));
}

TEST_F(CanvasViewportTest, CtrlWheelAndPinchZoomAroundThePointerWithinTheLimits)
{
    load({ 2000, 1000 }); // fitted at 0.5
    QWidget* area = viewport.findChild<QScrollArea*>()->viewport();
    const QPointF image(1500, 300);
    const auto under = [&](QPointF position) {
        return QPointF(canvas().mapFrom(area, position.toPoint())) / viewport.magnification()
            - canvas().imageFrame().topLeft();
    };
    const QPointF pointer = QPointF(canvas().mapTo(area, canvas().mapFromImage(image).toPoint()));
    const auto wheel = [&](int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(pointer, area->mapToGlobal(pointer), {}, { 0, 120 * notches }, Qt::NoButton, modifiers,
            Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area, &event);
        settle();
    };
    const auto pinch = [&](double value) {
        QNativeGestureEvent event(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, pointer, pointer,
            area->mapToGlobal(pointer), value, {}, 0);
        QCoreApplication::sendEvent(area, &event);
        settle();
    };

    wheel(2, Qt::ControlModifier);
    EXPECT_NEAR(viewport.magnification(), 0.72, 1e-9);
    EXPECT_THAT(under(pointer), NearPoint(image));

    pinch(0.5);
    EXPECT_NEAR(viewport.magnification(), 1.08, 1e-9);
    EXPECT_THAT(under(pointer), NearPoint(image));

    wheel(30, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(viewport.magnification(), 8.0);
    pinch(-0.99);
    pinch(-0.5);
    EXPECT_DOUBLE_EQ(viewport.magnification(), 0.1);

    // Without Ctrl the wheel scrolls and leaves the zoom alone.
    wheel(-1, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(viewport.magnification(), 0.1);
    // A zoom command continues from the gesture's zoom.
    state.zoomIn();
    settle();
    EXPECT_NEAR(viewport.magnification(), 0.12, 1e-9);
}

TEST_F(CanvasViewportTest, GesturesReachTheEditorStateOnlyWhileInteractionIsOn)
{
    load({ 500, 350 }); // magnified exactly 2, so image points land on whole pixels
    CanvasGestures gesture(canvas());

    state.selectedTool.set(AnnotationTool::arrow);
    gesture.drag({ 20, 30 }, { 220, 130 });
    ASSERT_EQ(state.annotations().size(), 1u);
    EXPECT_EQ(std::get<AnnotationKinds::Arrow>(state.annotations()[0].kind),
        (AnnotationKinds::Arrow { QPointF(20, 30), QPointF(220, 130) }));

    state.selectedTool.set(AnnotationTool::select);
    gesture.drag({ 220, 130 }, { 300, 130 });
    EXPECT_EQ(std::get<AnnotationKinds::Arrow>(state.annotations()[0].kind).end, QPointF(300, 130));

    state.selectedTool.set(AnnotationTool::crop);
    gesture.drag({ 100, 60 }, { 200, 160 });
    EXPECT_EQ(state.cropSelection(), QRectF(100, 60, 100, 100));
    // The shown selection leaves its inside as it is and shades the rest.
    settle();
    const QImage shown = canvas().grab().toImage();
    EXPECT_EQ(shown.pixel(canvas().mapFromImage({ 150, 110 }).toPoint()), qRgb(40, 140, 220));
    EXPECT_LT(qBlue(shown.pixel(canvas().mapFromImage({ 300, 250 }).toPoint())), 200);

    // While interaction is off, neither the drag under way nor a new one reaches the state.
    state.selectedTool.set(AnnotationTool::rectangle);
    gesture.press({ 20, 20 });
    gesture.move({ 120, 120 });
    viewport.setInteractionEnabled(false);
    gesture.release({ 120, 120 });
    gesture.drag({ 20, 20 }, { 120, 120 });
    EXPECT_EQ(state.annotations().size(), 1u);
    viewport.setInteractionEnabled(true);
    gesture.drag({ 20, 20 }, { 120, 120 });
    EXPECT_EQ(state.annotations().size(), 2u);
}
