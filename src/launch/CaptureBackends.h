#pragma once

#include "platform/portal/PortalScreenshot.h"
#include "ports/InputSynthesisPort.h"
#include "ports/ScreenCapturePermission.h"
#include "ports/ScreenFreezePort.h"
#include "ports/WindowCapturePort.h"

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
    // The desktop's own window picker; none on X11, where Trovix lists the windows itself.
    [[nodiscard]] WindowCapturePort* windowCapture() { return m_windowCapture.get(); }
    // Synthetic input for automatic scrolling: `x11` on X11; in a Wayland session one that
    // says why there is none.
    [[nodiscard]] InputSynthesisPort* inputSynthesis(InputSynthesisPort* x11);

private:
    bool m_usesPortal = false;
    PortalScreenshot m_portal;
    std::unique_ptr<ScreenCapturePermission> m_permission;
    std::unique_ptr<ScreenFreezePort> m_screenFreeze;
    std::unique_ptr<WindowCapturePort> m_windowCapture;
    std::unique_ptr<InputSynthesisPort> m_waylandInput;
};
