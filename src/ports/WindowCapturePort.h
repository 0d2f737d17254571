#pragma once

#include "domain/Image.h"

#include <QCoro/QCoroTask>

// The desktop's own way of choosing a window and capturing it, for desktops where this
// application can neither list other programs' windows nor read their pixels.
class WindowCapturePort {
public:
    virtual ~WindowCapturePort() = default;

    // Throws ScreenshotError (cancelled when the user closes the desktop's dialog), or a
    // TrovixError saying why when the desktop offers no way to choose a window.
    virtual QCoro::Task<Image> captureChosenWindow() = 0;
};
