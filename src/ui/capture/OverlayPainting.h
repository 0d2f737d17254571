#pragma once

#include "engine/OverlayCoordinates.h"

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

// Drawing for the selection overlays, placed in view points as their geometry computes it.
namespace OverlayPainting {

// The system font (or the monospaced one) at a size in points and a weight.
[[nodiscard]] QFont systemFont(bool monospaced, int points, QFont::Weight weight);
[[nodiscard]] QSizeF textSize(const QString& text, const QFont& font);
// Draws a single line whose line box has its bottom-left corner at `origin` (view points).
void drawText(QPainter& painter, const OverlayCoordinates& coordinates, QPointF origin, const QString& text,
    const QFont& font, const QColor& color);
// An antialiased rounded box without outline, in view points: the overlays' labels and hints.
void fillRoundedBox(
    QPainter& painter, const OverlayCoordinates& coordinates, const QRectF& box, double radius, const QColor& color);
// Fills the whole window with a colour, replacing what was there.
void fillWindow(QPainter& painter, const QRect& bounds, const QColor& color);

// Colours of the system palette the overlays use.
inline const QColor systemBlue { 0x00, 0x7A, 0xFF };
[[nodiscard]] QColor white(double alpha);
[[nodiscard]] QColor black(double alpha);

} // namespace OverlayPainting
