#include "platform/portal/PortalWindowCapture.h"

#include "domain/TrovixError.h"
#include "platform/portal/PortalScreenshot.h"

#include <algorithm>

PortalWindowCapture::PortalWindowCapture(PortalScreenshot& screenshots, QString desktop, OutputSource outputs)
    : m_screenshots(screenshots)
    , m_desktop(std::move(desktop))
    , m_outputs(std::move(outputs))
{ }

bool PortalWindowCapture::offersWindowPicker(const QString& desktop)
{
    const QStringList names = desktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return std::any_of(names.cbegin(), names.cend(), [](const QString& name) {
        return name.compare(QStringLiteral("GNOME"), Qt::CaseInsensitive) == 0
            || name.compare(QStringLiteral("KDE"), Qt::CaseInsensitive) == 0;
    });
}

QString PortalWindowCapture::noPickerMessage(const QString& desktop)
{
    const QString name = desktop.isEmpty() ? QStringLiteral("this desktop") : desktop;
    return QStringLiteral("Window capture in a Wayland session needs the desktop's own screenshot dialog, and %1 "
                          "offers none. Capture an area around the window instead.")
        .arg(name);
}

QCoro::Task<Image> PortalWindowCapture::captureChosenWindow()
{
    if (!offersWindowPicker(m_desktop))
        throw TrovixError(noPickerMessage(m_desktop));
    QImage picture = co_await m_screenshots.take(true);
    // The dialog's picture has the device pixels of the output the window is on; which one
    // that is the dialog does not say, so the largest scale is the likelier guess on a mixed
    // desktop than 1.
    double scale = 1.0;
    try {
        for (const DesktopOutput& output : m_outputs())
            scale = std::max(scale, output.scale);
    } catch (const TrovixError&) { }
    const QSizeF points(picture.width() / scale, picture.height() / scale);
    co_return Image(std::move(picture), points);
}
