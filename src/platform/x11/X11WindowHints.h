#pragma once

class QWindow;

// Window-manager hints Qt has no API for.
namespace X11WindowHints {

// Shows the window on every virtual desktop (EWMH sticky, desktop 0xFFFFFFFF). Does
// nothing outside X11.
void showOnAllDesktops(QWindow& window);

} // namespace X11WindowHints
