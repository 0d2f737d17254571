#pragma once

#include <QCoro/QCoroTask>
#include <QDBusConnection>
#include <QImage>

#include <chrono>

// Pictures from the desktop's org.freedesktop.portal.Screenshot: in a Wayland session the
// only way to see other programs' windows. Non-interactive calls return the whole desktop;
// an interactive one lets the user pick a screen, window or area in the desktop's own dialog.
class PortalScreenshot {
public:
    explicit PortalScreenshot(QDBusConnection bus = QDBusConnection::sessionBus());

    // Throws ScreenshotError: permissionDenied when the desktop refuses, cancelled when the
    // user closes an interactive dialog, captureFailed when there is no answer in time or no
    // readable picture.
    QCoro::Task<QImage> take(bool interactive);

    // Whether the last answer was a refusal; cleared by forgetRefusal so the desktop is asked again.
    [[nodiscard]] bool wasRefused() const { return m_refused; }
    void forgetRefusal() { m_refused = false; }

    // Waits for the answer; the desktop may first ask the user, so this is generous.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    // Whether the file the portal wrote lies in a temporary folder, so that removing it after
    // reading loses nothing of the user's (some desktops save into the Pictures folder).
    [[nodiscard]] static bool isTemporaryFile(const QString& path);

private:
    QDBusConnection m_bus;
    std::chrono::milliseconds m_timeout { 60000 };
    bool m_refused = false;
};
