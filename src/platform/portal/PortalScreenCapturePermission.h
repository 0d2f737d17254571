#pragma once

#include "ports/ScreenCapturePermission.h"

class PortalScreenshot;

// In a Wayland session the desktop decides on each screenshot call, so there is nothing to
// ask in advance: access counts as granted until the desktop refuses. Asking again forgets
// the refusal, so the next capture lets the desktop ask the user once more.
class PortalScreenCapturePermission : public ScreenCapturePermission {
public:
    explicit PortalScreenCapturePermission(PortalScreenshot& screenshots);

    [[nodiscard]] bool isGranted() const override;
    void request() override;

private:
    PortalScreenshot& m_screenshots;
};
