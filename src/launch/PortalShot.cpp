#include "launch/PortalShot.h"

#include "domain/TrovixError.h"
#include "engine/DesktopPicture.h"
#include "engine/ImageIOService.h"
#include "launch/ShotGeometry.h"
#include "platform/portal/PortalScreenshot.h"
#include "platform/wayland/WaylandOutputs.h"

#include <QEventLoop>

namespace {

QCoro::Task<> takePicture(PortalScreenshot& screenshots, QImage& picture, QString& error, QEventLoop& loop)
{
    try {
        picture = co_await screenshots.take(false);
    } catch (const TrovixError& failure) {
        error = failure.description();
    }
    loop.quit();
}

} // namespace

namespace PortalShot {

Result capture(const ShotRequest& request)
{
    QList<DesktopOutput> outputs;
    try {
        outputs = WaylandOutputs::read();
    } catch (const TrovixError& error) {
        return { {}, error.description() };
    }
    QList<QRect> monitors;
    for (const DesktopOutput& output : outputs)
        monitors.append(output.logical);
    const auto rectangle = ShotGeometry::rectangle(request, DesktopPicture::bounds(outputs), monitors);
    if (const auto* refusal = std::get_if<ShotGeometry::Refusal>(&rectangle))
        return { {}, refusal->message };

    PortalScreenshot screenshots;
    QImage picture;
    QString error;
    QEventLoop loop;
    auto task = takePicture(screenshots, picture, error, loop);
    if (picture.isNull() && error.isEmpty())
        loop.exec();
    if (!error.isEmpty())
        return { {}, error };

    const double scale = request.screen ? outputs.at(*request.screen).scale : DesktopPicture::density(picture, outputs);
    const QImage pixels = DesktopPicture::cut(picture, outputs, std::get<QRect>(rectangle), scale);
    if (pixels.isNull())
        return { {}, QStringLiteral("the desktop's picture does not match its outputs") };
    return { ImageIOService::pngData(Image(pixels)), {} };
}

} // namespace PortalShot
