// Upload of a 5120 x 2880 screenshot's PNG bytes to a loopback HTTP server, from the
// finished PNG to the link: body building, the POST and reading the answer. Run a release
// build:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench --target upload_bench && build/bench/bench/upload_bench
#include "domain/TrovixError.h"
#include "services/UploadService.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <random>

namespace {

// A retina screenshot: window chrome, gradients, a noisy photo and lines of text, so that its
// PNG is as large as a real one (tens of megabytes), not a few kilobytes of flat colour.
QByteArray screenshotPng()
{
    QImage image(5120, 2880, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xf5, 0xf5, 0xf7));
    QPainter painter(&image);
    QLinearGradient banner(0, 0, 5120, 600);
    banner.setColorAt(0, QColor(0x4a, 0x8f, 0xf5));
    banner.setColorAt(1, QColor(0xf5, 0x6e, 0x9e));
    painter.fillRect(0, 0, 5120, 600, banner);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(28);
    painter.setFont(font);
    painter.setPen(QColor(0x33, 0x33, 0x33));
    for (int y = 700; y < 2880; y += 44)
        painter.drawText(80, y, QStringLiteral("Line %1 of a long document shown at twice the resolution").arg(y));
    painter.end();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int y = 900; y < 2400; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 3200; x < 4800; ++x)
            row[x] = qRgb(channel(random), (x + y) & 0xff, channel(random));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

class LoopbackServer {
public:
    LoopbackServer()
    {
        const QString script
            = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../tests/support/upload_server.py"));
        m_process.start(QStringLiteral("python3"), { script, m_directory.filePath(QStringLiteral("record.jsonl")) });
        if (m_process.waitForReadyRead(10000))
            m_port = m_process.readLine().split(' ').value(1).toInt();
    }
    ~LoopbackServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    [[nodiscard]] int port() const { return m_port; }

private:
    QTemporaryDir m_directory;
    QProcess m_process;
    int m_port = 0;
};

QCoro::Task<bool> uploadOnce(UploadConfiguration configuration, QByteArray png)
{
    // Named, not built inside the co_await: g++ 12 destroys lambda captures there twice.
    UploadService::PngSource source = [png] { return png; };
    try {
        co_await UploadService::upload(std::move(configuration), std::move(source));
        co_return true;
    } catch (const TrovixError&) {
        co_return false;
    }
}

void uploadRetinaScreenshot(benchmark::State& state)
{
    const QByteArray png = screenshotPng();
    LoopbackServer server;
    if (server.port() == 0) {
        state.SkipWithError("the loopback server did not start");
        return;
    }
    UploadConfiguration configuration;
    configuration.mode = UploadMode::customServer;
    configuration.endpoint = QStringLiteral("http://127.0.0.1:%1/discard").arg(server.port());
    for (auto _ : state) {
        if (!QCoro::waitFor(uploadOnce(configuration, png))) {
            state.SkipWithError("upload failed");
            return;
        }
    }
    state.counters["png_MB"] = double(png.size()) / 1e6;
    state.SetBytesProcessed(state.iterations() * png.size());
}

} // namespace

BENCHMARK(uploadRetinaScreenshot)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
