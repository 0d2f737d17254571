#pragma once

#include "ports/ScreenCapturePermission.h"

class FakeScreenCapturePermission : public ScreenCapturePermission {
public:
    bool granted = true;
    int requests = 0;

    [[nodiscard]] bool isGranted() const override { return granted; }
    void request() override { ++requests; }
};
