// Flattening a large capture with many annotations, and pixelating a large region.
// Peak memory is the process's maximum resident set; run one benchmark per process
// (--benchmark_filter) to read it for that case alone.
#include "engine/FlattenedImageRenderer.h"
#include "engine/ImageEffectRenderer.h"

#include "support/BenchAnnotations.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include <sys/resource.h>

#include <random>
#include <vector>

namespace {

namespace Kinds = AnnotationKinds;

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A capture-like picture: flat panels, lines of text-like strokes.
Image capture(QSizeF points, double density)
{
    QImage pixels(int(points.width() * density), int(points.height() * density), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(QColor(246, 246, 248));
    QPainter painter(&pixels);
    painter.scale(density, density);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 400; ++i)
        painter.fillRect(QRectF(unit(random) * points.width(), unit(random) * points.height(), 40 + unit(random) * 300,
                             4 + unit(random) * 20),
            QColor::fromHsvF(float(unit(random)), 0.4f, 0.8f));
    painter.end();
    return Image(std::move(pixels), points);
}

using BenchAnnotations::annotations;

void flatten(benchmark::State& state, QSizeF points, int count)
{
    const bool backdrop = state.range(0) != 0;
    const Image base = capture(points, 2);
    const std::vector<AnnotationShape> shapes = annotations(points, count);
    for (auto _ : state) {
        auto result
            = FlattenedImageRenderer::render(base, shapes, backdrop, backdrop, WindowBackgroundStyle::wallpaper);
        benchmark::DoNotOptimize(result);
    }
    state.counters["peak_MB"] = peakMegabytes();
}

void flatten5K200(benchmark::State& state)
{
    flatten(state, QSizeF(2560, 1440), 200);
}
void flatten4K50(benchmark::State& state)
{
    flatten(state, QSizeF(1920, 1080), 50);
}

void pixelateLargeRegion(benchmark::State& state)
{
    const Image base = capture(QSizeF(2560, 1440), 2);
    const AnnotationShape shape = AnnotationShape::make(Kinds::Pixelate { QRectF(100, 100, 2000, 1200) }, {});
    QImage target = base.pixels();
    QPainter painter(&target);
    painter.scale(2, 2);
    for (auto _ : state)
        ImageEffectRenderer::drawPixelated(painter, shape, base, base.size(), QPointF());
    state.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK(flatten5K200)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("backdrop")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(flatten4K50)
    ->Arg(1)
    ->ArgName("backdrop")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(pixelateLargeRegion)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
