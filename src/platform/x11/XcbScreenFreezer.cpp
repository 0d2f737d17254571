#include "platform/x11/XcbScreenFreezer.h"

#include "domain/PlatformError.h"
#include "domain/ScreenshotError.h"
#include "platform/x11/XcbGrabber.h"

XcbScreenFreezer::XcbScreenFreezer(XcbConnection& connection)
    : m_connection(connection)
{ }

QCoro::Task<QList<FrozenScreen>> XcbScreenFreezer::freeze(QList<Screen> screens)
{
    XcbGrabber grabber(m_connection);
    QList<FrozenScreen> frozen;
    for (const Screen& screen : screens) {
        QImage pixels;
        try {
            pixels = grabber.grabRootRectangle(screen.nativeGeometry);
        } catch (const PlatformError&) {
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
        }
        frozen.append({ screen, Image(std::move(pixels), screen.frame.size()) });
    }
    co_return frozen;
}
