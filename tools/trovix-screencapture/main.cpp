// trovix-screencapture: writes a PNG of a rectangle of the X screen or of one window.
// Exit status 0 when the file is written; otherwise 1 (capture failed) or 2 (bad
// arguments) with the reason on standard error.

#include "CaptureRequest.h"
#include "PngOutput.h"
#include "ToolFailure.h"

#include "domain/PlatformError.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbGrabber.h"

#include <QStringList>

#include <cstdio>

namespace {

QImage capture(const CaptureRequest& request)
{
    std::unique_ptr<XcbConnection> connection;
    try {
        connection = std::make_unique<XcbConnection>();
    } catch (const PlatformError&) {
        throw ToolFailure(ToolFailure::Kind::captureFailed,
            QStringLiteral("cannot open the X display \"%1\"").arg(qEnvironmentVariable("DISPLAY")));
    }
    XcbGrabber grabber(*connection);
    try {
        return request.window ? grabber.grabWindow(*request.window) : grabber.grabRootRectangle(*request.rectangle);
    } catch (const PlatformError& error) {
        throw ToolFailure(ToolFailure::Kind::captureFailed, error.description());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    try {
        const CaptureRequest request = CaptureRequest::fromArguments(arguments);
        PngOutput::write(capture(request), request.outputPath);
        return 0;
    } catch (const ToolFailure& failure) {
        std::fprintf(stderr, "trovix-screencapture: %s\n", failure.what());
        if (failure.kind() == ToolFailure::Kind::badArguments)
            std::fprintf(stderr,
                "usage: trovix-screencapture [-x] -t png -Rx,y,width,height FILE\n"
                "       trovix-screencapture [-x] [-o] -t png -lWINDOW FILE\n");
        return failure.kind() == ToolFailure::Kind::badArguments ? 2 : 1;
    }
}
