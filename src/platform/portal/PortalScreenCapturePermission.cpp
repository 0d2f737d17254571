#include "platform/portal/PortalScreenCapturePermission.h"

#include "platform/portal/PortalScreenshot.h"

PortalScreenCapturePermission::PortalScreenCapturePermission(PortalScreenshot& screenshots)
    : m_screenshots(screenshots)
{ }

bool PortalScreenCapturePermission::isGranted() const
{
    return !m_screenshots.wasRefused();
}

void PortalScreenCapturePermission::request()
{
    m_screenshots.forgetRefusal();
}
