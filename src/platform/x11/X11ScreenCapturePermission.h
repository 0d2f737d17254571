#pragma once

#include "ports/ScreenCapturePermission.h"

// Any X11 client may read the root window's pixels, so there is nothing to ask for.
class X11ScreenCapturePermission : public ScreenCapturePermission {
public:
    [[nodiscard]] bool isGranted() const override { return true; }
    void request() override { }
};
