#pragma once

#include "domain/Screen.h"

#include <QRect>
#include <QSizeF>

// Where the floating panels of a scrolling capture go: `margin` points in from the top-right
// corner of the screen's work area (the part no desktop panel covers).
namespace PanelPlacement {

inline constexpr double cornerMargin = 28;

// The panel's rectangle in the window system's root (pixels, top-left origin).
[[nodiscard]] QRect topRightRootRect(const Screen& screen, QSizeF panelSize, double margin = cornerMargin);
// Its top-left corner in the toolkit's logical space of that screen, where windows are moved.
[[nodiscard]] QPoint topRightLogicalPosition(const Screen& screen, QSizeF panelSize, double margin = cornerMargin);

} // namespace PanelPlacement
