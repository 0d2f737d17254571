// Full-screen capture on the X server in $DISPLAY through the real X11 adapters: the whole
// ScreenshotService call from request to image (an in-process grab), and the parts of the
// screenshot tool's road, which window and scrolling captures still take (process start,
// grab, PNG encode, PNG decode by our reader and by Qt's), to show where the time goes.
// Run it on a busy 4K screen with bench/capture-4k.sh; README.md has the figures.
#include "fakes/TaskRunner.h"
#include "support/BenchmarkAbort.h"

#include "engine/PngReader.h"
#include "engine/PngWriter.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbFrontmostApplication.h"
#include "platform/x11/XcbGrabber.h"
#include "platform/x11/XcbScreenFreezer.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbWindowList.h"
#include "ports/WindowSelectionPort.h"
#include "services/ScreenshotService.h"
#include "services/SystemScreenshotTool.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <exception>
#include <memory>

namespace {

// Full-screen captures never ask the user to pick a window.
class NoWindowSelection : public WindowSelectionPort {
public:
    QCoro::Task<std::optional<CapturableWindow>> selectWindow(QList<CapturableWindow>, QList<FrozenScreen>) override
    {
        co_return std::nullopt;
    }
};

// The tool of this build: $TROVIX_SCREENCAPTURE, else build/<type>/src beside build/<type>/bench.
QString toolPath()
{
    const QString chosen = qEnvironmentVariable("TROVIX_SCREENCAPTURE");
    const QString path = chosen.isEmpty()
        ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/trovix-screencapture"))
        : chosen;
    if (!QFileInfo(path).isExecutable())
        abortBenchmarkRun(
            QStringLiteral("no trovix-screencapture at %1 (build it, or set TROVIX_SCREENCAPTURE)").arg(path));
    return QFileInfo(path).canonicalFilePath();
}

// The desktop adapters as the application wires them, on one connection to $DISPLAY.
struct Desktop {
    XcbConnection connection;
    XcbScreens screens { connection };
    XcbWindowList windowList { connection, screens };
    XcbFrontmostApplication frontmost { connection, windowList };
    X11ScreenCapturePermission permission;
    SystemScreenshotTool tool { toolPath(), permission };
    NoWindowSelection windowSelection;
    XcbScreenFreezer screenFreeze { connection };
    ScreenshotService screenshots { ScreenshotService::Collaborators { screens, windowList, frontmost, permission, tool,
        windowSelection, screenFreeze, nullptr, QStringLiteral("trovix") } };

    [[nodiscard]] QSize rootSize() const
    {
        return QSize(connection.screen()->width_in_pixels, connection.screen()->height_in_pixels);
    }
};

Desktop& desktop()
{
    static std::unique_ptr<Desktop> instance = [] {
        try {
            return std::make_unique<Desktop>();
        } catch (const std::exception& error) {
            abortBenchmarkRun(QStringLiteral("no X server: %1").arg(QString::fromUtf8(error.what())));
        }
    }();
    return *instance;
}

QStringList rectangleArguments(const QRect& rect)
{
    return { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-R%1,%2,%3,%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height()) };
}

QByteArray runTool(const QRect& rect)
{
    try {
        return runToCompletion(desktop().tool.run(rectangleArguments(rect)));
    } catch (const std::exception& error) {
        abortBenchmarkRun(QStringLiteral("the capture tool failed: %1").arg(QString::fromUtf8(error.what())));
    }
}

QImage decodedFullScreen(const QByteArray& png)
{
    QImage pixels;
    if (!pixels.loadFromData(png, "PNG") || pixels.size() != desktop().rootSize())
        abortBenchmarkRun(QStringLiteral("the tool's PNG does not decode to the %1 x %2 screen")
                              .arg(desktop().rootSize().width())
                              .arg(desktop().rootSize().height()));
    return pixels;
}

void captureMainDisplay(benchmark::State& state)
{
    Desktop& d = desktop();
    for (auto _ : state) {
        Image image;
        try {
            image = runToCompletion(d.screenshots.captureMainDisplay(std::nullopt));
        } catch (const std::exception& error) {
            abortBenchmarkRun(QStringLiteral("captureMainDisplay failed: %1").arg(QString::fromUtf8(error.what())));
        }
        if (image.pixels().size() != d.rootSize())
            abortBenchmarkRun(QStringLiteral("captureMainDisplay gave %1 x %2 pixels")
                                  .arg(image.pixelWidth())
                                  .arg(image.pixelHeight()));
    }
}

// Starting the tool, connecting to the server and writing a one-pixel file: the fixed cost.
void toolOnePixel(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(runTool(QRect(0, 0, 1, 1)));
}

// The tool on the whole screen, bytes read back, not decoded.
void toolFullScreen(benchmark::State& state)
{
    const QRect screen(QPoint(0, 0), desktop().rootSize());
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = runTool(screen).size();
    state.counters["png_MB"] = double(bytes) / 1e6;
}

// The tool's grab alone (MIT-SHM when the server offers it), in this process.
void grabFullScreen(benchmark::State& state)
{
    Desktop& d = desktop();
    XcbGrabber grabber(d.connection);
    const QRect screen(QPoint(0, 0), d.rootSize());
    try {
        for (auto _ : state)
            benchmark::DoNotOptimize(grabber.grabRootRectangle(screen));
    } catch (const std::exception& error) {
        abortBenchmarkRun(QStringLiteral("the grab failed: %1").arg(QString::fromUtf8(error.what())));
    }
}

// The tool's encoder alone, on the picture the screen holds; range(0) 1 is the tool's fast
// compression, 0 the compact one of exports.
void encodeFullScreen(benchmark::State& state)
{
    const QImage pixels = decodedFullScreen(runTool(QRect(QPoint(0, 0), desktop().rootSize())));
    const auto compression = state.range(0) ? PngWriter::Compression::fast : PngWriter::Compression::compact;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> png = PngWriter::encode(pixels, compression);
        bytes = png ? std::size_t(png->size()) : 0;
    }
    state.counters["png_MB"] = double(bytes) / 1e6;
}

// The service's decoding of the tool's bytes: our reader, which must accept them.
void decodeFullScreen(benchmark::State& state)
{
    const QByteArray png = runTool(QRect(QPoint(0, 0), desktop().rootSize()));
    for (auto _ : state) {
        const std::optional<QImage> pixels = PngReader::decodeSimple(png);
        if (!pixels || pixels->size() != desktop().rootSize())
            abortBenchmarkRun(QStringLiteral("PngReader declined the tool's PNG"));
        benchmark::DoNotOptimize(pixels);
    }
}

// Qt's reader on the same bytes, which the service used before and falls back to.
void decodeFullScreenWithQt(benchmark::State& state)
{
    const QByteArray png = runTool(QRect(QPoint(0, 0), desktop().rootSize()));
    for (auto _ : state)
        benchmark::DoNotOptimize(decodedFullScreen(png));
}

} // namespace

BENCHMARK(captureMainDisplay)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(toolOnePixel)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(toolFullScreen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(grabFullScreen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(encodeFullScreen)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("fast")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(decodeFullScreen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(decodeFullScreenWithQt)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
