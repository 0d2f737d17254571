#pragma once

#include "domain/AnnotationShape.h"

#include <QPointF>
#include <QSizeF>

#include <vector>

class QPainter;

// Vector drawing of one annotation: strokes, fills and text. Kinds that need the image's
// pixels or paint over the whole picture (pixelate, spotlight, magnifier) belong to
// ImageEffectRenderer and draw nothing here.
//
// The painter's user space must be image points, y down: a shape coordinate plus `origin`
// is a painter coordinate. Any scale to device pixels is the painter's transform.
namespace AnnotationRenderer {

inline constexpr double textInset = 6;
inline constexpr double textLayoutWidth = 420;
inline constexpr double textLayoutHeight = 600;
inline constexpr double arrowWingLength = 18;
inline constexpr double arrowWingAngle = 0.4487989505128276; // π / 7
inline constexpr double highlightAlpha = 0.35;

// Leaves the painter's state as it found it. `canvasSize` is accepted for symmetry with
// the image effects and does not change the drawing.
void draw(QPainter& painter, const AnnotationShape& shape, QSizeF canvasSize, QPointF origin);

// The points the two wings of an arrow head end at.
struct ArrowWings {
    QPointF first;
    QPointF second;
};
[[nodiscard]] ArrowWings arrowWings(QPointF start, QPointF end);

[[nodiscard]] double calloutRadius(const AnnotationStyle& style);
[[nodiscard]] double calloutNumberFontSize(const AnnotationStyle& style);
[[nodiscard]] double measurementFontSize(const AnnotationStyle& style);

// The label box of a measurement, in the same space as `start` and `end`; its size depends
// on the label's text metrics on `painter`'s device.
[[nodiscard]] QRectF measurementLabelBox(
    const QPainter& painter, QPointF start, QPointF end, const QString& label, const AnnotationStyle& style);

} // namespace AnnotationRenderer
