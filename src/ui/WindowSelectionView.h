#pragma once

#include "domain/CapturableWindow.h"
#include "engine/OverlayCoordinates.h"
#include "ui/OverlayWindow.h"

#include <QList>
#include <QRectF>

#include <cstdint>
#include <optional>

// The dimmed cover of the whole desktop on which the user picks a window: the window under
// the pointer is outlined and captioned with its name and size; a click picks it, Esc or a
// click where no window lies cancels.
class WindowSelectionView : public OverlayWindow {
    Q_OBJECT
public:
    // `windows` front to back; frames and `frame` (the area covered) in global points.
    WindowSelectionView(QList<CapturableWindow> windows, QRectF frame);

    // The picked window once finished; none when cancelled.
    [[nodiscard]] const std::optional<CapturableWindow>& result() const { return m_result; }
    [[nodiscard]] std::optional<std::uint32_t> hoveredWindowID() const { return m_hoveredWindowID; }

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
    QRectF m_frame;
    std::optional<std::uint32_t> m_hoveredWindowID;
    std::optional<CapturableWindow> m_result;
};
