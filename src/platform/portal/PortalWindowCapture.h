#pragma once

#include "domain/DesktopOutput.h"
#include "ports/WindowCapturePort.h"

#include <QString>

#include <functional>

class PortalScreenshot;

// A window through the Screenshot portal's interactive dialog, where the desktop's dialog can
// pick a window (GNOME, KDE Plasma). Elsewhere (wlroots desktops, whose portal ignores the
// request for a dialog and pictures the whole desktop) it says so instead of passing off a
// picture of everything as the window.
class PortalWindowCapture : public WindowCapturePort {
public:
    using OutputSource = std::function<QList<DesktopOutput>()>;

    // `desktop` as XDG_CURRENT_DESKTOP gives it ("GNOME", "KDE", "sway", "ubuntu:GNOME").
    PortalWindowCapture(PortalScreenshot& screenshots, QString desktop, OutputSource outputs);

    QCoro::Task<Image> captureChosenWindow() override;

    [[nodiscard]] static bool offersWindowPicker(const QString& desktop);
    [[nodiscard]] static QString noPickerMessage(const QString& desktop);

private:
    PortalScreenshot& m_screenshots;
    QString m_desktop;
    OutputSource m_outputs;
};
