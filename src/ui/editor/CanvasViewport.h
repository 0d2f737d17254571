#pragma once

#include "app/ViewportZoomRules.h"

#include <QRectF>
#include <QWidget>

class AnnotationCanvas;
class AppState;
class Image;
class QScrollArea;
class QScrollBar;

// The scrollable, magnifiable view of the open document; owns the AnnotationCanvas.
// It follows the editor state's fields by itself: content goes to the canvas at once, while
// layout and zoom are settled once per turn of the event loop, after every field a command
// changed has changed (a zoom command sets both the behaviour and the scale).
class CanvasViewport : public QWidget {
    Q_OBJECT
public:
    explicit CanvasViewport(AppState& state, QWidget* parent = nullptr);
    ~CanvasViewport() override;

    // Off while a capture runs or a sheet is open; cancels an active drag.
    void setInteractionEnabled(bool enabled);

    [[nodiscard]] AnnotationCanvas& canvas() const { return *m_canvas; }
    [[nodiscard]] double magnification() const;
    // The part of the canvas in view, in unmagnified canvas points.
    [[nodiscard]] QRectF visibleCanvasRect() const;
    // Magnifies by `factor` within the limits, keeping the image point under `viewportPosition`
    // (in the scrolled area's coordinates) where it is; the result becomes the custom zoom.
    void zoomAround(QPointF viewportPosition, double factor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Ctrl+wheel and the touchpad's pinch, wherever they land on the canvas or around it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] const Image* shownImage() const;
    [[nodiscard]] QSizeF stableViewportSize() const;
    void connectContent();
    void connectLayout();
    void installOverlayScrollBars();
    void placeOverlayScrollBars();
    void scheduleLayout();
    void settleLayout();
    void applyZoom(double target, QSizeF canvasSize, bool recenter);
    void scrollToCentre(QPointF canvasPoint);
    void writeBackZoomScale(double target);

    AppState& m_state;
    QScrollArea* m_scrollArea;
    AnnotationCanvas* m_canvas;
    QScrollBar* m_horizontalOverlay = nullptr;
    QScrollBar* m_verticalOverlay = nullptr;
    ViewportZoomRules::Coordinator m_coordinator;
    bool m_layoutScheduled = false;
};
