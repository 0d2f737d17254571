#include "ui/editor/ToolOptionsRules.h"

namespace ToolOptionsRules {

ToolOptions optionsFor(AnnotationTool tool)
{
    using enum AnnotationTool;
    ToolOptions options;
    options.textInput = tool == text;
    switch (tool) {
    case rectangle:
    case oval:
    case pixelate:
    case spotlight:
    case magnifier:
    case crop:
        options.shiftHint = QStringLiteral("Hold Shift for a square.");
        break;
    case arrow:
    case line:
    case ruler:
        options.shiftHint = QStringLiteral("Hold Shift to snap the angle.");
        break;
    default:
        break;
    }
    // Pixelation takes its colours from the image itself.
    options.colorInspector = tool != pixelate;
    switch (tool) {
    case rectangle:
    case oval:
    case arrow:
    case line:
    case freehand:
    case highlight:
    case spotlight:
    case ruler:
        options.widthSlider = true;
        break;
    default:
        break;
    }
    options.sizeSlider = tool == text || tool == callout;
    options.applyCrop = tool == crop;
    return options;
}

} // namespace ToolOptionsRules
