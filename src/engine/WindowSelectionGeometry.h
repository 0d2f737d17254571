#pragma once

#include "domain/CapturableWindow.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// The decisions of the window selection overlay. Window frames and the overlay's frame are
// global points; "local" rectangles are view points of the overlay (global minus its origin).
namespace WindowSelectionGeometry {

constexpr double cornerRadius = 18;

// One rectangle over every screen.
[[nodiscard]] QRectF overlayFrame(const QList<QRectF>& screenFrames);
// The front-most window (the list runs front to back) whose frame holds the global point.
[[nodiscard]] std::optional<CapturableWindow> windowAt(const QList<CapturableWindow>& windows, QPointF point);

// The owner, and " - " and the title when there is one.
[[nodiscard]] QString displayName(const CapturableWindow& window);
// "width × height" of the frame, truncated to whole points.
[[nodiscard]] QString sizeText(const QRectF& local);

// The caption above a hovered window: its box and the origins (bottom-left) of its two texts.
struct Caption {
    QRectF box;
    QPointF titleOrigin;
    QPointF detailOrigin;
};
[[nodiscard]] Caption caption(const QRectF& local, QSizeF viewSize, double titleWidth, double detailWidth);

// The hint in the middle of the overlay while no window is under the pointer; the text
// baselines are centred horizontally at the given heights.
struct Hint {
    QRectF box;
    double titleY;
    double subtitleY;
};
[[nodiscard]] Hint hint(QSizeF viewSize);

} // namespace WindowSelectionGeometry
