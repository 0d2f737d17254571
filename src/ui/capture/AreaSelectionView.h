#pragma once

#include "domain/Image.h"
#include "domain/Screen.h"
#include "engine/OverlayCoordinates.h"
#include "ui/capture/FrozenBackdrop.h"
#include "ui/capture/OverlayWindow.h"

#include <QPointF>
#include <QRectF>
#include <QRegion>

#include <optional>

// The dimmed picture of one screen on which the user drags the area to capture: a crosshair
// and a hint until the drag starts, then the undimmed selection with its border, thirds
// guides and a position and size label. Esc, a click or a tiny drag cancel.
class AreaSelectionView : public OverlayWindow {
    Q_OBJECT
public:
    explicit AreaSelectionView(const Screen& screen);

    // The picture of the screen the user selects on; until it is given, the dim colour alone.
    void setPicture(const Image& picture);

    // The selection in global points once finished; none when cancelled.
    [[nodiscard]] const std::optional<QRectF>& result() const { return m_result; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] OverlayCoordinates coordinates() const;
    [[nodiscard]] QPointF viewPoint(const QMouseEvent* event) const;
    void paintCrosshair(QPainter& painter, const OverlayCoordinates& coordinates) const;
    void paintSelection(QPainter& painter, const OverlayCoordinates& coordinates, const QRectF& selection) const;
    void paintLabel(QPainter& painter, const OverlayCoordinates& coordinates, const QRectF& selection) const;
    void paintHint(QPainter& painter, const OverlayCoordinates& coordinates) const;
    [[nodiscard]] QRectF labelBox(const QRectF& selection) const;
    // Where the crosshair, the selection and its label are drawn: a move repaints only what
    // they covered before and cover now, not the whole (4K) window.
    [[nodiscard]] QRegion decorations() const;
    void complete(const QRectF& selection);

    Screen m_screen;
    FrozenBackdrop m_backdrop;
    std::optional<QPointF> m_dragStart;
    std::optional<QPointF> m_dragCurrent;
    std::optional<QPointF> m_currentPointer;
    bool m_isShiftPressed = false;
    std::optional<QRectF> m_result;
};
