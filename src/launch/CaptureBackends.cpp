#include "launch/CaptureBackends.h"

#include "platform/portal/PortalScreenCapturePermission.h"
#include "platform/portal/PortalScreenFreezer.h"
#include "platform/wayland/WaylandOutputs.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XcbScreenFreezer.h"

CaptureBackends::CaptureBackends(XcbConnection& connection)
    : m_usesPortal(WaylandOutputs::isWaylandSession())
{
    if (m_usesPortal) {
        m_permission = std::make_unique<PortalScreenCapturePermission>(m_portal);
        m_screenFreeze = std::make_unique<PortalScreenFreezer>(m_portal, &WaylandOutputs::read);
    } else {
        m_permission = std::make_unique<X11ScreenCapturePermission>();
        m_screenFreeze = std::make_unique<XcbScreenFreezer>(connection);
    }
}
