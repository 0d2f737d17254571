#pragma once

#include <QAbstractNativeEventFilter>

// Another client can destroy one of our windows outright (`xdotool windowclose` does, a
// crashing window manager may), and Qt does not notice: the widget would stay "visible" and
// held forever. While this watch is installed, such a window is closed as if the user had
// closed it, so its owner lets it go. Does nothing outside X11.
class XcbDestroyedWindowWatch final : private QAbstractNativeEventFilter {
public:
    XcbDestroyedWindowWatch();
    ~XcbDestroyedWindowWatch() override;
    XcbDestroyedWindowWatch(const XcbDestroyedWindowWatch&) = delete;
    XcbDestroyedWindowWatch& operator=(const XcbDestroyedWindowWatch&) = delete;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};
