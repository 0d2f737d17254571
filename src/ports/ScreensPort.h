#pragma once

#include "domain/Screen.h"

#include <QList>
#include <QPointF>

#include <optional>

// The screens of the desktop and the pointer, all in global points (bottom-left origin).
class ScreensPort {
public:
    virtual ~ScreensPort() = default;

    // In the window system's order; the first one is not necessarily the main screen.
    [[nodiscard]] virtual QList<Screen> screens() const = 0;
    // The screen the user works on (the primary one on X11); none when it is unknown.
    [[nodiscard]] virtual std::optional<Screen> mainScreen() const = 0;
    [[nodiscard]] virtual QPointF mouseLocation() const = 0;
};
