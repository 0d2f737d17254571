#include "engine/PrecisionGeometry.h"

#include <cmath>
#include <numbers>

namespace PrecisionGeometry {

namespace {

QPointF snappedToEighthTurn(QPointF from, QPointF to)
{
    const double x = to.x() - from.x();
    const double y = to.y() - from.y();
    if (std::abs(x) <= 0.001 && std::abs(y) <= 0.001)
        return to;
    constexpr double step = std::numbers::pi / 4;
    // std::round rounds halves away from zero, as the snapping requires.
    const double snapped = std::round(std::atan2(y, x) / step) * step;
    // Projection onto the snapped direction; negative when the drag points the other way.
    const double length = x * std::cos(snapped) + y * std::sin(snapped);
    return { from.x() + std::cos(snapped) * length, from.y() + std::sin(snapped) * length };
}

} // namespace

QPointF squarePoint(QPointF from, QPointF to)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double side = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
    return { from.x() + (dx < 0 ? -side : side), from.y() + (dy < 0 ? -side : side) };
}

QPointF adjustedPoint(QPointF from, QPointF to, AnnotationTool tool, bool isShiftPressed)
{
    if (!isShiftPressed)
        return to;
    switch (tool) {
    case AnnotationTool::rectangle:
    case AnnotationTool::oval:
    case AnnotationTool::pixelate:
    case AnnotationTool::spotlight:
    case AnnotationTool::magnifier:
    case AnnotationTool::crop:
        return squarePoint(from, to);
    case AnnotationTool::arrow:
    case AnnotationTool::line:
    case AnnotationTool::ruler:
        return snappedToEighthTurn(from, to);
    case AnnotationTool::select:
    case AnnotationTool::text:
    case AnnotationTool::freehand:
    case AnnotationTool::highlight:
    case AnnotationTool::callout:
    case AnnotationTool::colorPicker:
        return to;
    }
    return to;
}

} // namespace PrecisionGeometry
