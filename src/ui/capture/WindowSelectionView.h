#pragma once

#include "domain/CapturableWindow.h"
#include "domain/FrozenScreen.h"
#include "engine/OverlayCoordinates.h"
#include "ui/capture/FrozenBackdrop.h"
#include "ui/capture/OverlayWindow.h"

#include <QList>
#include <QRectF>

#include <cstdint>
#include <optional>

// The dimmed picture of one screen on which the user picks a window: the window under the
// pointer is outlined and captioned with its name and size; a click picks it, Esc or a click
// where no window lies cancels. Each screen has its own view, at its own scale; the views of
// one pick share the hovered window.
class WindowSelectionView : public OverlayWindow {
    Q_OBJECT
public:
    // `windows` front to back, their frames in global points.
    WindowSelectionView(QList<CapturableWindow> windows, const FrozenScreen& frozen);

    // The picked window once finished; none when cancelled.
    [[nodiscard]] const std::optional<CapturableWindow>& result() const { return m_result; }
    [[nodiscard]] std::optional<std::uint32_t> hoveredWindowID() const { return m_hoveredWindowID; }
    void setHoveredWindowID(std::optional<std::uint32_t> id);
    // Ends this view's part when the pick ended on another screen.
    void cancel() { finish(); }

Q_SIGNALS:
    void hoveredWindowChanged(std::optional<std::uint32_t> id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] OverlayCoordinates coordinates() const;
    [[nodiscard]] std::optional<CapturableWindow> windowUnder(const QMouseEvent* event) const;
    void paintHighlight(QPainter& painter, const OverlayCoordinates& view, const CapturableWindow& window) const;
    void paintCaption(QPainter& painter, const OverlayCoordinates& view, const CapturableWindow& window) const;
    void paintHint(QPainter& painter, const OverlayCoordinates& view) const;

    QList<CapturableWindow> m_windows;
    // The screen's frame, global points: the view's own points start at its origin.
    QRectF m_frame;
    FrozenBackdrop m_backdrop;
    std::optional<std::uint32_t> m_hoveredWindowID;
    std::optional<CapturableWindow> m_result;
};
