#include "domain/AnnotationTool.h"

namespace {

struct ToolTexts {
    const char* rawValue;
    const char* title;
    const char* symbolName;
    const char* placementHint;
};

// Indexed by the enumeration, in declaration order.
constexpr std::array<ToolTexts, 15> s_texts { {
    { "select", "Select", "cursorarrow", "Pick a tool to start editing." },
    { "rectangle", "Rectangle", "rectangle", "Drag to draw a rectangle." },
    { "oval", "Oval", "circle", "Drag to draw an oval." },
    { "arrow", "Arrow", "arrow.up.right", "Drag to draw an arrow." },
    { "line", "Line", "line.diagonal", "Drag to draw a line." },
    { "pixelate", "Pixelate", "checkerboard.rectangle", "Drag over the part you want to hide." },
    { "text", "Text", "textformat", "Type the text, then click where it should go." },
    { "freehand", "Freehand Drawing", "pencil.tip", "Draw freehand." },
    { "highlight", "Highlighter", "highlighter", "Drag to highlight." },
    { "spotlight", "Spotlight", "sun.max", "Drag to focus one area." },
    { "callout", "Counter", "1.circle", "Click to place the next number." },
    { "magnifier", "Magnifier", "magnifyingglass",
        "Drag to place the magnifier, then drag inside it to move the zoom target." },
    { "colorPicker", "Color Picker", "eyedropper", "Click to copy a color." },
    { "ruler", "Ruler", "ruler", "Drag to measure." },
    { "crop", "Crop", "crop", "Drag to select an area, then click Apply Crop." },
} };

const ToolTexts& textsFor(AnnotationTool tool)
{
    return s_texts[static_cast<std::size_t>(tool)];
}

} // namespace

namespace AnnotationTools {

QString rawValue(AnnotationTool tool)
{
    return QString::fromLatin1(textsFor(tool).rawValue);
}

std::optional<AnnotationTool> fromRawValue(const QString& value)
{
    for (AnnotationTool tool : allCases) {
        if (value == QLatin1String(textsFor(tool).rawValue))
            return tool;
    }
    return std::nullopt;
}

QString title(AnnotationTool tool)
{
    return QString::fromLatin1(textsFor(tool).title);
}

QString symbolName(AnnotationTool tool)
{
    return QString::fromLatin1(textsFor(tool).symbolName);
}

QString placementHint(AnnotationTool tool)
{
    return QString::fromLatin1(textsFor(tool).placementHint);
}

} // namespace AnnotationTools
