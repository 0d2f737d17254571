#pragma once

#include "domain/Screen.h"

#include <QRectF>

// The screen rectangle a scrolling capture shoots again and again.
struct ScreenCaptureSelection {
    Screen screen;
    // Global points, bottom-left origin, like the screen's frame.
    QRectF rect;

    friend bool operator==(const ScreenCaptureSelection&, const ScreenCaptureSelection&) = default;
};
