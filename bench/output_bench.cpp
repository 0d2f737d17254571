// Sending a finished 5120 x 2880 capture out of the editor, framed by the window background:
// copied to the clipboard and pasted by another program (xclip) through a real X server, and
// exported to a file. Both time the whole action as AppState performs it: flattening, PNG
// encoding and the transfer or the atomic write. Needs an X server: bench/run-with-xvfb.sh.
// README.md has the figures.
#include "support/BenchmarkAbort.h"

#include "engine/FlattenedImageRenderer.h"
#include "engine/ImageIOService.h"
#include "engine/PasteboardImageProvider.h"
#include "platform/qt/QtClipboard.h"
#include "storage/AtomicFileWriter.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr QSizeF capturePoints(2560, 1440);
constexpr double captureDensity = 2;
constexpr WindowBackgroundStyle frameStyle = WindowBackgroundStyle::wallpaper;

void drawWindowContent(QPainter& painter)
{
    painter.fillRect(QRectF(QPointF(0, 0), capturePoints), QColor(0xf5, 0xf5, 0xf7));
    painter.fillRect(QRectF(0, 0, capturePoints.width(), 32), QColor(0x2b, 0x2d, 0x31));
    painter.fillRect(QRectF(0, 32, 260, capturePoints.height() - 32), QColor(0xe8, 0xe8, 0xed));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    for (int row = 0; row < 40; ++row) {
        if (row % 7 == 3)
            painter.fillRect(QRectF(8, 48 + row * 24, 244, 22), QColor(0x00, 0x7a, 0xff));
        painter.setPen(row % 7 == 3 ? Qt::white : QColor(0x33, 0x33, 0x33));
        painter.drawText(QPointF(18, 64 + row * 24), QStringLiteral("Folder %1 — project notes").arg(row));
    }
    QLinearGradient banner(280, 50, 2540, 200);
    banner.setColorAt(0, QColor(0x4a, 0x8f, 0xf5));
    banner.setColorAt(1, QColor(0xf5, 0x6e, 0x9e));
    painter.fillRect(QRectF(280, 50, 2260, 150), banner);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(0x1d, 0x1d, 0x1f));
    const QString line = QStringLiteral(
        "The quick brown fox jumps over the lazy dog; screenshots mix text, flat areas and photos. 0123456789");
    for (int row = 0; row < 56; ++row)
        painter.drawText(QPointF(290, 230 + row * 21), line.mid(row % 13));
}

// A smooth colour field with sensor-like noise, the part of a screenshot that compresses worst.
void drawPhoto(QImage& pixels, const QRect& area)
{
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, 6.0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double u = (x - area.left()) / double(area.width());
            const double v = (y - area.top()) / double(area.height());
            auto channel = [&](double base) { return std::clamp(int(base + noise(random)), 0, 255); };
            row[x] = qRgb(channel(120 + 90 * std::sin(u * 5 + v * 2)), channel(140 + 60 * std::cos(v * 4)),
                channel(90 + 80 * u * v));
        }
    }
}

// A 2x capture of a busy 2560 x 1440 point screen.
Image busyCapture()
{
    QImage pixels(int(capturePoints.width() * captureDensity), int(capturePoints.height() * captureDensity),
        QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(captureDensity, captureDensity);
    drawWindowContent(painter);
    painter.end();
    drawPhoto(pixels, QRect(3400, 1500, 1600, 1200));
    return Image(std::move(pixels), capturePoints);
}

const Image& capture()
{
    static const Image image = busyCapture();
    return image;
}

// What AppState hands to the clipboard and to the export with the backdrop on.
Image framedPicture()
{
    std::optional<Image> framed = FlattenedImageRenderer::render(capture(), {}, true, true, frameStyle);
    if (!framed)
        abortBenchmarkRun(QStringLiteral("the capture could not be flattened"));
    return std::move(*framed);
}

QSize framedPixelSize()
{
    const QSizeF points = FlattenedImageRenderer::layout(capturePoints, true).canvasSize;
    return QSize(qRound(points.width() * captureDensity), qRound(points.height() * captureDensity));
}

// The PNG must decode to the whole framed picture, or the figure would time a failure.
void requireFramedPng(const QByteArray& png, const QString& where)
{
    QImage decoded;
    if (!decoded.loadFromData(png, "PNG"))
        abortBenchmarkRun(QStringLiteral("%1: %2 bytes that are not a PNG").arg(where).arg(png.size()));
    if (decoded.size() != framedPixelSize())
        abortBenchmarkRun(QStringLiteral("%1: a %2 x %3 PNG, not %4 x %5")
                              .arg(where)
                              .arg(decoded.width())
                              .arg(decoded.height())
                              .arg(framedPixelSize().width())
                              .arg(framedPixelSize().height()));
}

// Another process pastes the clipboard's PNG while our event loop serves its requests.
QByteArray pasteWithXclip()
{
    QProcess xclip;
    QEventLoop loop;
    QObject::connect(&xclip, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&xclip, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    xclip.start(QStringLiteral("xclip"),
        { QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), QStringLiteral("image/png"),
            QStringLiteral("-o") });
    loop.exec();
    if (xclip.state() != QProcess::NotRunning) {
        xclip.kill();
        xclip.waitForFinished();
        abortBenchmarkRun(QStringLiteral("xclip did not finish the paste within 60 s"));
    }
    if (xclip.exitStatus() != QProcess::NormalExit || xclip.exitCode() != 0)
        abortBenchmarkRun(QStringLiteral("xclip failed (%1): %2")
                              .arg(xclip.errorString(), QString::fromLocal8Bit(xclip.readAllStandardError())));
    return xclip.readAllStandardOutput();
}

void copy(QtClipboard& clipboard, const Image& picture)
{
    if (!clipboard.setImageProvider(std::make_shared<const PasteboardImageProvider>(picture)))
        abortBenchmarkRun(QStringLiteral("the clipboard refused the copy (is QT_QPA_PLATFORM=xcb?)"));
}

// Copy (flatten, offer the lazy formats) until xclip has read every byte of the PNG.
void copyThenPaste(benchmark::State& state)
{
    QtClipboard clipboard;
    const QByteArray exported = ImageIOService::pngData(framedPicture());
    copy(clipboard, framedPicture());
    const QByteArray first = pasteWithXclip();
    requireFramedPng(first, QStringLiteral("paste"));
    if (first != exported)
        abortBenchmarkRun(QStringLiteral("the pasted PNG differs from the exported one"));

    for (auto _ : state) {
        copy(clipboard, framedPicture());
        const QByteArray pasted = pasteWithXclip();
        state.PauseTiming();
        if (pasted != exported)
            abortBenchmarkRun(QStringLiteral("a paste gave %1 bytes that differ from the export").arg(pasted.size()));
        state.ResumeTiming();
    }
    state.counters["png_MB"] = double(exported.size()) / 1e6;
}

// Export as the editor does: flatten, encode, write atomically over the earlier file.
void exportToFile(benchmark::State& state)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        abortBenchmarkRun(QStringLiteral("no temporary folder: %1").arg(folder.errorString()));
    const QString path = QDir(folder.path()).filePath(QStringLiteral("screenshot.png"));
    for (auto _ : state) {
        try {
            AtomicFileWriter::write(path, ImageIOService::pngData(framedPicture()));
        } catch (const std::exception& error) {
            abortBenchmarkRun(QStringLiteral("the export failed: %1").arg(QString::fromUtf8(error.what())));
        }
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        abortBenchmarkRun(QStringLiteral("the exported file cannot be read: %1").arg(written.errorString()));
    const QByteArray png = written.readAll();
    requireFramedPng(png, QStringLiteral("export"));
    state.counters["png_MB"] = double(png.size()) / 1e6;
}

// The parts both actions share.
void flattenFramed(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(framedPicture());
}

void encodeFramed(benchmark::State& state)
{
    const Image picture = framedPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageIOService::pngData(picture));
}

} // namespace

BENCHMARK(copyThenPaste)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(exportToFile)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(flattenFramed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(encodeFramed)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
