#include "platform/portal/PortalScreenFreezer.h"

#include "domain/ScreenshotError.h"
#include "domain/TrovixError.h"
#include "engine/DesktopPicture.h"
#include "platform/portal/PortalScreenshot.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(freezeLog, "trovix.portal.freeze")

} // namespace

PortalScreenFreezer::PortalScreenFreezer(PortalScreenshot& screenshots, OutputSource outputs)
    : m_screenshots(screenshots)
    , m_outputs(std::move(outputs))
{ }

std::optional<DesktopOutput> PortalScreenFreezer::outputFor(const Screen& screen, const QList<DesktopOutput>& outputs)
{
    for (const DesktopOutput& output : outputs) {
        if (!screen.name.isEmpty() && output.name == screen.name)
            return output;
    }
    for (const DesktopOutput& output : outputs) {
        if (output.logical == screen.nativeGeometry)
            return output;
    }
    return std::nullopt;
}

QCoro::Task<QList<FrozenScreen>> PortalScreenFreezer::freeze(QList<Screen> screens)
{
    const QImage picture = co_await m_screenshots.take(false);
    QList<DesktopOutput> outputs;
    try {
        outputs = m_outputs();
    } catch (const TrovixError& error) {
        qCWarning(freezeLog) << "no output layout:" << error.description();
        throw ScreenshotError(ScreenshotError::Code::captureFailed);
    }
    QList<FrozenScreen> frozen;
    for (const Screen& screen : screens) {
        const std::optional<DesktopOutput> output = outputFor(screen, outputs);
        if (!output) {
            qCWarning(freezeLog) << "no Wayland output for screen" << screen.name << screen.nativeGeometry;
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
        }
        QImage pixels = DesktopPicture::cut(picture, outputs, output->logical, output->scale);
        if (pixels.isNull()) {
            qCWarning(freezeLog) << "the portal's picture" << picture.size() << "does not fit the outputs";
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
        }
        frozen.append({ screen, Image(std::move(pixels), screen.frame.size()) });
    }
    co_return frozen;
}
