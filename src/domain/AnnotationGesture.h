#pragma once

#include "domain/AnnotationShape.h"
#include "domain/AnnotationTool.h"

#include <optional>
#include <vector>

// Which kind a drag with a tool makes, before any minimum size is applied. The canvas
// previews with it; the editor adds its thresholds on top.
namespace AnnotationGesture {

// None for tools that act on clicks (select, text, callout, colour picker) and for crop,
// whose drag selects an area rather than making an annotation.
[[nodiscard]] std::optional<AnnotationShape::Kind> dragKind(
    AnnotationTool tool, QPointF start, QPointF end, const std::vector<QPointF>& points);

} // namespace AnnotationGesture
