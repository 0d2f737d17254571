#include "launch/CaptureBackends.h"

#include "platform/portal/PortalScreenCapturePermission.h"
#include "platform/portal/PortalScreenFreezer.h"
#include "platform/portal/PortalWindowCapture.h"
#include "platform/wayland/WaylandInputSynthesis.h"
#include "platform/wayland/WaylandOutputs.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XcbScreenFreezer.h"

CaptureBackends::CaptureBackends(XcbConnection& connection)
    : m_usesPortal(WaylandOutputs::isWaylandSession())
{
    if (m_usesPortal) {
        m_permission = std::make_unique<PortalScreenCapturePermission>(m_portal);
        m_screenFreeze = std::make_unique<PortalScreenFreezer>(m_portal, &WaylandOutputs::read);
        m_windowCapture = std::make_unique<PortalWindowCapture>(
            m_portal, qEnvironmentVariable("XDG_CURRENT_DESKTOP"), &WaylandOutputs::read);
        m_waylandInput = std::make_unique<WaylandInputSynthesis>();
    } else {
        m_permission = std::make_unique<X11ScreenCapturePermission>();
        m_screenFreeze = std::make_unique<XcbScreenFreezer>(connection);
    }
}

InputSynthesisPort* CaptureBackends::inputSynthesis(InputSynthesisPort* x11)
{
    return m_waylandInput ? m_waylandInput.get() : x11;
}
