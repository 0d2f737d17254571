#pragma once

#include "domain/AnnotationTool.h"

#include <QString>

#include <optional>

// Which controls the options strip offers for a tool.
struct ToolOptions {
    // The text tool types into a field; every other tool shows its placement hint.
    bool textInput = false;
    std::optional<QString> shiftHint;
    bool colorInspector = false;
    bool widthSlider = false;
    bool sizeSlider = false;
    bool applyCrop = false;
};

namespace ToolOptionsRules {

[[nodiscard]] ToolOptions optionsFor(AnnotationTool tool);

} // namespace ToolOptionsRules
