#pragma once

// Whether this application may read the screen's pixels.
class ScreenCapturePermission {
public:
    virtual ~ScreenCapturePermission() = default;

    [[nodiscard]] virtual bool isGranted() const = 0;
    // Lets the system ask the user; the answer only counts for later captures.
    virtual void request() = 0;
};
