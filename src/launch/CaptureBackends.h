#pragma once

#include "platform/portal/PortalScreenshot.h"
#include "ports/ScreenCapturePermission.h"
#include "ports/ScreenFreezePort.h"

#include <memory>

class XcbConnection;

// Where the screens' pictures come from. On X11 the server's own pixels; in a Wayland
// session the desktop's screenshot portal, because X11 there shows only XWayland's windows
// (others are missing or black), and only the portal knows whether capturing is allowed.
class CaptureBackends {
public:
    explicit CaptureBackends(XcbConnection& connection);

    [[nodiscard]] bool usesPortal() const { return m_usesPortal; }
    [[nodiscard]] ScreenCapturePermission& permission() { return *m_permission; }
    [[nodiscard]] ScreenFreezePort& screenFreeze() { return *m_screenFreeze; }

private:
    bool m_usesPortal = false;
    PortalScreenshot m_portal;
    std::unique_ptr<ScreenCapturePermission> m_permission;
    std::unique_ptr<ScreenFreezePort> m_screenFreeze;
};
