#include "platform/x11/XcbDestroyedWindowWatch.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

XcbDestroyedWindowWatch::XcbDestroyedWindowWatch()
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbDestroyedWindowWatch::~XcbDestroyedWindowWatch()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}

bool XcbDestroyedWindowWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_DESTROY_NOTIFY)
        return false;
    const xcb_window_t destroyed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        // Only a window that still believes it exists: Qt destroying its own sends this too.
        if (window->handle() && window->winId() == destroyed && window->isVisible()) {
            // Closed in a later turn: the close may delete the window, and Qt is still
            // dispatching this event.
            QTimer::singleShot(0, window, [handle = QPointer<QWindow>(window)] {
                if (handle)
                    handle->close();
            });
        }
    }
    return false;
}
