#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRectF>

class QPaintDevice;

// Small conversions shared by the renderers: colours, fonts sized in drawing units and
// pixel-aligned rectangles.
namespace DrawingPrimitives {

// The colour with its alpha replaced (never multiplied) by `alpha`.
[[nodiscard]] QColor withAlpha(QColor color, double alpha);

// The system font (or its fixed-pitch sibling) whose size is `size` units of the painter's
// user space on `device`. Qt sizes fonts in typographic points of the device's DPI, while
// our drawing units are image points, so the size is converted through the device's DPI.
// Hinting is off so that text lays out the same at every scale.
[[nodiscard]] QFont systemFont(double size, QFont::Weight weight, const QPaintDevice* device);
[[nodiscard]] QFont monospacedSystemFont(double size, QFont::Weight weight, const QPaintDevice* device);

// The smallest rectangle with integer edges containing `rect`: origin floored, far edges ceiled.
[[nodiscard]] QRectF outwardRounded(const QRectF& rect);

// The same as whole pixels; coordinates are clamped to a range an int can hold so that a
// hostile rectangle cannot overflow the conversion. A rectangle with a NaN gives an empty one.
[[nodiscard]] QRect outwardRoundedPixels(const QRectF& rect);

} // namespace DrawingPrimitives
