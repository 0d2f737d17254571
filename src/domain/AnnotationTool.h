#pragma once

#include <QString>

#include <array>
#include <optional>

enum class AnnotationTool {
    select,
    rectangle,
    oval,
    arrow,
    line,
    pixelate,
    text,
    freehand,
    highlight,
    spotlight,
    callout,
    magnifier,
    colorPicker,
    ruler,
    crop,
};

namespace AnnotationTools {

inline constexpr std::array<AnnotationTool, 15> allCases {
    AnnotationTool::select,
    AnnotationTool::rectangle,
    AnnotationTool::oval,
    AnnotationTool::arrow,
    AnnotationTool::line,
    AnnotationTool::pixelate,
    AnnotationTool::text,
    AnnotationTool::freehand,
    AnnotationTool::highlight,
    AnnotationTool::spotlight,
    AnnotationTool::callout,
    AnnotationTool::magnifier,
    AnnotationTool::colorPicker,
    AnnotationTool::ruler,
    AnnotationTool::crop,
};

[[nodiscard]] QString rawValue(AnnotationTool tool);
// Exact, case-sensitive match of a raw value.
[[nodiscard]] std::optional<AnnotationTool> fromRawValue(const QString& rawValue);
[[nodiscard]] QString title(AnnotationTool tool);
[[nodiscard]] inline QString shortTooltipText(AnnotationTool tool) { return title(tool); }
[[nodiscard]] QString symbolName(AnnotationTool tool);
[[nodiscard]] QString placementHint(AnnotationTool tool);

} // namespace AnnotationTools
