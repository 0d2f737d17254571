#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// The decisions of the area selection overlay, in view points (origin bottom-left of the
// covered screen, y up).
namespace AreaSelectionGeometry {

// Anything not wider and taller than this is a click or a slip, not a selection.
constexpr double minimumSide = 6;
constexpr double labelHeight = 28;

// The rectangle between the drag's start and end in whole points; a square towards the
// drag's direction when `squared` (Shift held).
[[nodiscard]] QRectF selectionRect(QPointF start, QPointF end, bool squared);
[[nodiscard]] bool isLargeEnough(const QRectF& selection);
// The selection in global points, clipped to the screen and grown to whole points; none
// when nothing of it lies on the screen.
[[nodiscard]] std::optional<QRectF> globalRect(const QRectF& selection, const QRectF& screenFrame);

// Thirds guides only where they leave room between them.
[[nodiscard]] bool showsGuides(const QRectF& selection);
// "x, y   •   width × height", all whole numbers.
[[nodiscard]] QString dimensionText(const QRectF& selection);
// The label's box below the selection, kept at least 8 points above the screen's bottom.
[[nodiscard]] QRectF labelBox(const QRectF& selection, double textWidth);

// Origins (bottom-left of each text) of the centred hint: the title above the subtitle.
struct HintOrigins {
    QPointF title;
    QPointF subtitle;
};
[[nodiscard]] HintOrigins hintOrigins(QSizeF viewSize, QSizeF titleSize, QSizeF subtitleSize);

} // namespace AreaSelectionGeometry
