// PNG encoding of a 4K screenshot-like image: Qt's encoder, libpng at the settings that
// made it fastest, and our own writer; then decoding the writer's file with Qt and our reader. How to run it and the
// measured figures: README.md.
#include "engine/PngReader.h"
#include "engine/PngWriter.h"

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <png.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <map>
#include <random>
#include <vector>

namespace {

constexpr int imageWidth = 3840;
constexpr int imageHeight = 2160;

void drawChrome(QPainter& painter)
{
    painter.fillRect(0, 0, imageWidth, imageHeight, QColor(0xf5, 0xf5, 0xf7));
    painter.fillRect(0, 0, imageWidth, 64, QColor(0x2b, 0x2d, 0x31));
    painter.fillRect(0, 64, 480, imageHeight - 64, QColor(0xe8, 0xe8, 0xed));
    painter.setPen(QColor(0xd0, 0xd0, 0xd5));
    for (int x = 480; x < imageWidth; x += 640)
        painter.drawLine(x, 64, x, imageHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    painter.setFont(font);
    for (int row = 0; row < 60; ++row) {
        if (row % 7 == 3)
            painter.fillRect(12, 96 + row * 34, 456, 32, QColor(0x00, 0x7a, 0xff));
        painter.setPen(row % 7 == 3 ? Qt::white : QColor(0x33, 0x33, 0x33));
        painter.drawText(28, 120 + row * 34, QStringLiteral("Folder %1 — project notes").arg(row));
    }
}

void drawGradients(QPainter& painter)
{
    QLinearGradient banner(520, 100, 3800, 400);
    banner.setColorAt(0, QColor(0x4a, 0x8f, 0xf5));
    banner.setColorAt(1, QColor(0xf5, 0x6e, 0x9e));
    painter.fillRect(520, 100, 3280, 300, banner);
    QRadialGradient glow(3300, 1500, 500);
    glow.setColorAt(0, QColor(0xff, 0xcc, 0x00));
    glow.setColorAt(1, QColor(0xf5, 0xf5, 0xf7));
    painter.fillRect(2800, 1000, 1000, 1000, glow);
}

void drawText(QPainter& painter)
{
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPixelSize(26);
    painter.setFont(body);
    painter.setPen(QColor(0x1d, 0x1d, 0x1f));
    const QString line = QStringLiteral(
        "The quick brown fox jumps over the lazy dog; screenshots mix text, flat areas and photos. 0123456789");
    for (int row = 0; row < 40; ++row)
        painter.drawText(540, 460 + row * 38, line.mid(row % 11));
    painter.fillRect(520, 2000, 2200, 140, QColor(0x1e, 0x1e, 0x1e));
    QFont code(QStringLiteral("DejaVu Sans Mono"));
    code.setPixelSize(24);
    painter.setFont(code);
    const QColor syntax[] = { QColor(0x56, 0x9c, 0xd6), QColor(0xce, 0x91, 0x78), QColor(0x6a, 0x99, 0x55) };
    for (int row = 0; row < 4; ++row) {
        painter.setPen(syntax[row % 3]);
        painter.drawText(
            540, 2030 + row * 30, QStringLiteral("auto png = PngWriter::encode(image); // row %1").arg(row));
    }
}

// A smooth colour field with sensor-like noise: the part of a screenshot that compresses worst.
void drawPhoto(QImage& image)
{
    std::mt19937 random(42);
    std::normal_distribution<double> noise(0.0, 6.0);
    const QRect photo(2800, 460, 960, 500);
    for (int y = photo.top(); y <= photo.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = photo.left(); x <= photo.right(); ++x) {
            const double u = (x - photo.left()) / double(photo.width());
            const double v = (y - photo.top()) / double(photo.height());
            auto channel = [&](double base) { return std::clamp(int(base + noise(random)), 0, 255); };
            row[x] = qRgb(channel(120 + 90 * std::sin(u * 5 + v * 2)), channel(140 + 60 * std::cos(v * 4)),
                channel(90 + 80 * u * v));
        }
    }
}

QImage opaqueScreenshot()
{
    QImage image(imageWidth, imageHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawChrome(painter);
    drawGradients(painter);
    drawText(painter);
    painter.end();
    drawPhoto(image);
    return image;
}

// The same picture cut out as a window with rounded corners and a soft, half-transparent edge.
QImage screenshotWithAlpha()
{
    QImage image = opaqueScreenshot();
    QImage mask(image.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter maskPainter(&mask);
    maskPainter.setRenderHint(QPainter::Antialiasing);
    // Rings from the outside in, each replacing the last: alpha rises to opaque 48 pixels in.
    maskPainter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int step = 0; step <= 12; ++step) {
        const int inset = step * 4;
        QPainterPath path;
        path.addRoundedRect(QRectF(image.rect()).adjusted(inset, inset, -inset, -inset), 40, 40);
        maskPainter.fillPath(path, QColor(0, 0, 0, step == 12 ? 255 : 15 + step * 20));
    }
    maskPainter.end();
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, mask);
    return image;
}

const QImage& sharedOpaque()
{
    static const QImage image = opaqueScreenshot();
    return image;
}

const QImage& sharedOpaqueRgb32()
{
    static const QImage image = sharedOpaque().convertToFormat(QImage::Format_RGB32);
    return image;
}

const QImage& sharedWithAlpha()
{
    static const QImage image = screenshotWithAlpha();
    return image;
}

void report(benchmark::State& state, qsizetype bytes)
{
    state.counters["bytes"] = benchmark::Counter(double(bytes));
}

void encodeWithQt(benchmark::State& state, const QImage& image, int quality)
{
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(quality);
        if (!writer.write(image))
            state.SkipWithError("Qt could not encode");
        bytes = data.size();
        benchmark::DoNotOptimize(data.data());
    }
    report(state, bytes);
}

void qtDefaultArgbPremultiplied(benchmark::State& state)
{
    encodeWithQt(state, sharedOpaque(), -1);
}
void qtDefaultRgb32(benchmark::State& state)
{
    encodeWithQt(state, sharedOpaqueRgb32(), -1);
}
void qtQuality80Rgb32(benchmark::State& state)
{
    encodeWithQt(state, sharedOpaqueRgb32(), 80);
}

void appendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// RGB32 rows are B, G, R, 0xff in memory: libpng swaps to RGB and drops the filler itself.
bool encodeWithLibpng(const QImage& image, std::vector<unsigned char>& out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendPngBytes, nullptr);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB,
        PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height(); ++y)
        png_write_row(png, image.constScanLine(y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void libpngLevel1Up(benchmark::State& state)
{
    const QImage& image = sharedOpaqueRgb32();
    std::vector<unsigned char> out;
    for (auto _ : state) {
        out.clear();
        if (!encodeWithLibpng(image, out))
            state.SkipWithError("libpng could not encode");
        benchmark::DoNotOptimize(out.data());
    }
    report(state, qsizetype(out.size()));
}

void encodeWithPngWriter(benchmark::State& state, const QImage& image)
{
    qsizetype bytes = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> data = PngWriter::encode(image);
        if (!data)
            state.SkipWithError("PngWriter could not encode");
        else
            bytes = data->size();
        benchmark::DoNotOptimize(data);
    }
    report(state, bytes);
}

void pngWriterOpaque(benchmark::State& state)
{
    encodeWithPngWriter(state, sharedOpaque());
}
void pngWriterWithAlpha(benchmark::State& state)
{
    encodeWithPngWriter(state, sharedWithAlpha());
}

// Up-filtered RGB scanlines as our writer builds them, to time the compressor alone.
std::vector<unsigned char> upFilteredRgb(const QImage& image)
{
    const std::size_t stride = std::size_t(image.width()) * 3 + 1;
    std::vector<unsigned char> scanlines(stride * std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* above = y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : nullptr;
        unsigned char* out = scanlines.data() + stride * std::size_t(y);
        *out++ = 2;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb up = above ? above[x] : 0;
            *out++ = static_cast<unsigned char>(qRed(row[x]) - qRed(up));
            *out++ = static_cast<unsigned char>(qGreen(row[x]) - qGreen(up));
            *out++ = static_cast<unsigned char>(qBlue(row[x]) - qBlue(up));
        }
    }
    return scanlines;
}

// How much of the writer's time is libdeflate itself, at the level we use and one below.
void libdeflateAloneOpaque(benchmark::State& state)
{
    static const std::vector<unsigned char> scanlines = upFilteredRgb(sharedOpaque());
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(int(state.range(0)));
    std::vector<unsigned char> out(libdeflate_zlib_compress_bound(compressor, scanlines.size()));
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = libdeflate_zlib_compress(compressor, scanlines.data(), scanlines.size(), out.data(), out.size());
    libdeflate_free_compressor(compressor);
    report(state, qsizetype(bytes));
}

// Decoding what our writer produced, as the screenshot service does with a capture: Qt's
// reader against ours, opaque and with alpha.
const QByteArray& encodedOnce(const QImage& image)
{
    static std::map<const QImage*, QByteArray> encoded;
    QByteArray& png = encoded[&image];
    if (png.isEmpty())
        png = PngWriter::encode(image).value_or(QByteArray());
    return png;
}

void decodeWithQt(benchmark::State& state, const QImage& image)
{
    const QByteArray& png = encodedOnce(image);
    for (auto _ : state) {
        QImage decoded;
        if (!decoded.loadFromData(png, "PNG"))
            state.SkipWithError("Qt could not decode");
        benchmark::DoNotOptimize(decoded.constBits());
    }
}

void decodeWithPngReader(benchmark::State& state, const QImage& image)
{
    const QByteArray& png = encodedOnce(image);
    for (auto _ : state) {
        const std::optional<QImage> decoded = PngReader::decodeSimple(png);
        if (!decoded)
            state.SkipWithError("PngReader declined the writer's output");
        benchmark::DoNotOptimize(decoded);
    }
}

void qtDecodeOpaque(benchmark::State& state)
{
    decodeWithQt(state, sharedOpaque());
}
void qtDecodeWithAlpha(benchmark::State& state)
{
    decodeWithQt(state, sharedWithAlpha());
}
void pngReaderOpaque(benchmark::State& state)
{
    decodeWithPngReader(state, sharedOpaque());
}
void pngReaderWithAlpha(benchmark::State& state)
{
    decodeWithPngReader(state, sharedWithAlpha());
}

// libdeflate's inflation of the writer's opaque stream alone: the floor for any decoder.
void libdeflateInflateOpaque(benchmark::State& state)
{
    const QByteArray& png = encodedOnce(sharedOpaque());
    // Signature, IHDR, then the IDAT's length and type; its CRC and IEND close the file.
    const auto* stream = reinterpret_cast<const unsigned char*>(png.constData()) + 8 + 25 + 8;
    const std::size_t streamSize = std::size_t(png.size()) - 8 - 25 - 8 - 4 - 12;
    std::vector<unsigned char> out(std::size_t(imageWidth * 3 + 1) * imageHeight);
    libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
    for (auto _ : state)
        if (libdeflate_zlib_decompress(decompressor, stream, streamSize, out.data(), out.size(), nullptr)
            != LIBDEFLATE_SUCCESS)
            state.SkipWithError("libdeflate could not inflate");
    libdeflate_free_decompressor(decompressor);
}

// On a machine shared with other work the fastest repetition is the best estimate of the cost.
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(qtDefaultArgbPremultiplied)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(qtDefaultRgb32)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(qtQuality80Rgb32)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(libpngLevel1Up)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(pngWriterOpaque)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(pngWriterWithAlpha)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(libdeflateAloneOpaque)
    ->Arg(5)
    ->Arg(6)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK(qtDecodeOpaque)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(qtDecodeWithAlpha)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(pngReaderOpaque)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(pngReaderWithAlpha)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
BENCHMARK(libdeflateInflateOpaque)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", fastest);
