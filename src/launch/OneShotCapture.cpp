#include "launch/OneShotCapture.h"

#include "domain/TrovixError.h"
#include "engine/ImageIOService.h"
#include "engine/ScreenCaptureGeometry.h"
#include "launch/PortalShot.h"
#include "launch/ShotGeometry.h"
#include "platform/wayland/WaylandOutputs.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbScreens.h"
#include "storage/AtomicFileWriter.h"
#include "services/SystemScreenshotTool.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QMimeData>
#include <QTextStream>

#include <QCoro/QCoroTask>

#include <memory>
#include <unistd.h>

namespace {

void complain(const QString& message)
{
    QTextStream(stderr) << "trovix shot: " << message << '\n';
}

QRect rootRectangle(XcbConnection& connection)
{
    return QRect(0, 0, connection.screen()->width_in_pixels, connection.screen()->height_in_pixels);
}

QList<QRect> monitorRectangles(XcbConnection& connection)
{
    QList<QRect> rectangles;
    for (const XcbScreens::Monitor& monitor : XcbScreens(connection).monitors())
        rectangles.append(monitor.geometry);
    return rectangles;
}

struct Capture {
    QByteArray png;
    QString error;
};

QStringList toolArguments(QRect rectangle)
{
    return { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-R") + ScreenCaptureGeometry::rectangleSpecifier(rectangle) };
}

QCoro::Task<> runTool(SystemScreenshotTool& tool, QRect rectangle, Capture& capture, QEventLoop& loop)
{
    try {
        const QByteArray handOff = co_await tool.run(toolArguments(rectangle));
        // The tool's file is a fast hand-off; what the user keeps is written by our encoder.
        const std::optional<Image> image = ImageIOService::readImageData(handOff);
        if (!image)
            capture.error = QStringLiteral("the screenshot tool wrote no readable picture");
        else
            capture.png = ImageIOService::pngData(*image);
    } catch (const TrovixError& error) {
        capture.error = error.description();
    }
    loop.quit();
}

Capture capture(QRect rectangle)
{
    X11ScreenCapturePermission permission;
    SystemScreenshotTool tool(SystemScreenshotTool::defaultExecutable(), permission);
    Capture result;
    QEventLoop loop;
    auto task = runTool(tool, rectangle, result, loop);
    if (result.png.isEmpty() && result.error.isEmpty())
        loop.exec();
    return result;
}

Capture x11Capture(const ShotRequest& request)
{
    std::unique_ptr<XcbConnection> connection;
    try {
        connection = std::make_unique<XcbConnection>();
    } catch (const TrovixError& error) {
        return { {}, error.description() };
    }
    const auto rectangle = ShotGeometry::rectangle(request, rootRectangle(*connection), monitorRectangles(*connection));
    if (const auto* refusal = std::get_if<ShotGeometry::Refusal>(&rectangle))
        return { {}, refusal->message };
    return capture(std::get<QRect>(rectangle));
}

// X11 under Wayland shows only XWayland's windows; the desktop's portal sees them all.
Capture portalCapture(const ShotRequest& request)
{
    PortalShot::Result result = PortalShot::capture(request);
    return { std::move(result.png), std::move(result.error) };
}

bool writeToStandardOutput(const QByteArray& png)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(png) == png.size() && out.flush();
}

// Stays until another program takes the clipboard, so that a paste still finds the picture.
void serveClipboard(const QByteArray& png)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(QImage::fromData(png, "PNG"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data);
    QEventLoop loop;
    QObject::connect(clipboard, &QClipboard::dataChanged, &loop, [clipboard, &loop] {
        if (!clipboard->ownsClipboard())
            loop.quit();
    });
    if (clipboard->ownsClipboard())
        loop.exec();
}

} // namespace

namespace OneShotCapture {

int run(const ShotRequest& request, int& argc, char** argv)
{
    const bool toStandardOutput = request.output == QStringLiteral("-") || (!request.output && !request.clipboard);
    if (toStandardOutput && isatty(STDOUT_FILENO)) {
        complain(QStringLiteral("will not write a PNG to a terminal; use --output FILE or --clipboard"));
        return 2;
    }
    // Standard error is for the reason of a failure; the capture's progress notes stay out of it.
    QLoggingCategory::setFilterRules(QStringLiteral("trovix.*.debug=false\ntrovix.*.info=false"));
    // Only the clipboard needs the window system through Qt; the capture has its own connection.
    std::unique_ptr<QCoreApplication> application = request.clipboard ? std::make_unique<QApplication>(argc, argv)
                                                                      : std::make_unique<QCoreApplication>(argc, argv);

    const Capture shot = WaylandOutputs::isWaylandSession() ? portalCapture(request) : x11Capture(request);
    if (!shot.error.isEmpty()) {
        complain(shot.error);
        return 1;
    }
    try {
        if (request.output && *request.output != QStringLiteral("-"))
            AtomicFileWriter::write(*request.output, shot.png);
    } catch (const TrovixError& error) {
        complain(error.description());
        return 1;
    }
    if (toStandardOutput && !writeToStandardOutput(shot.png)) {
        complain(QStringLiteral("could not write the picture to standard output"));
        return 1;
    }
    if (request.clipboard)
        serveClipboard(shot.png);
    return 0;
}

} // namespace OneShotCapture
