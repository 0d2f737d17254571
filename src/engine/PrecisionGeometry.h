#pragma once

#include "domain/AnnotationTool.h"

#include <QPointF>

// Shift constraints for a drag end point: squares for area tools, 45-degree
// directions for line tools.
namespace PrecisionGeometry {

[[nodiscard]] QPointF squarePoint(QPointF from, QPointF to);
[[nodiscard]] QPointF adjustedPoint(QPointF from, QPointF to, AnnotationTool tool, bool isShiftPressed);

} // namespace PrecisionGeometry
