#include "domain/AnnotationGesture.h"

#include "domain/AnnotationGeometry.h"

namespace AnnotationGesture {

std::optional<AnnotationShape::Kind> dragKind(
    AnnotationTool tool, QPointF start, QPointF end, const std::vector<QPointF>& points)
{
    using namespace AnnotationKinds;
    const QRectF rect = AnnotationGeometry::normalizedRect(start, end);
    switch (tool) {
    case AnnotationTool::rectangle:
        return Rectangle { rect };
    case AnnotationTool::oval:
        return Oval { rect };
    case AnnotationTool::arrow:
        return Arrow { start, end };
    case AnnotationTool::line:
        return Line { start, end };
    case AnnotationTool::pixelate:
        return Pixelate { rect };
    case AnnotationTool::freehand:
        return Freehand { points };
    case AnnotationTool::highlight:
        return Highlight { points };
    case AnnotationTool::spotlight:
        return Spotlight { rect };
    case AnnotationTool::magnifier:
        return Magnifier { rect, rect.center() };
    case AnnotationTool::ruler:
        return Measurement { start, end, AnnotationGeometry::measurementLabel(start, end) };
    case AnnotationTool::select:
    case AnnotationTool::text:
    case AnnotationTool::callout:
    case AnnotationTool::colorPicker:
    case AnnotationTool::crop:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace AnnotationGesture
