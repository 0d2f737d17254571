#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

namespace AnnotationGeometry {

// The rectangle spanned by a drag, whichever way it went: origin at the smaller
// coordinates, non-negative size.
[[nodiscard]] QRectF normalizedRect(QPointF start, QPointF end);

// The ruler's label, e.g. "100 × 50": whole points of each extent, truncated toward zero.
[[nodiscard]] QString measurementLabel(QPointF start, QPointF end);

} // namespace AnnotationGeometry
