// Flattening a large capture with many annotations, and pixelating a large region.
// Peak memory is the process's maximum resident set; run one benchmark per process
// (--benchmark_filter) to read it for that case alone.
#include "engine/FlattenedImageRenderer.h"
#include "engine/ImageEffectRenderer.h"

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

// `count` annotations cycling through every kind, of sizes a user would draw.
std::vector<AnnotationShape> annotations(QSizeF points, int count)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(0, points.width() - 400), y(0, points.height() - 300), size(60, 300);
    const AnnotationStyle style { QColor(255, 59, 48), 4, 28 };
    std::vector<AnnotationShape> shapes;
    for (int i = 0; i < count; ++i) {
        const QPointF at(x(random), y(random));
        const QRectF rect(at, QSizeF(size(random), size(random)));
        const std::vector<QPointF> path { at, at + QPointF(40, 30), at + QPointF(90, 10), at + QPointF(160, 60) };
        AnnotationShape::Kind kind;
        switch (i % 12) {
        case 0:
            kind = Kinds::Rectangle { rect };
            break;
        case 1:
            kind = Kinds::Oval { rect };
            break;
        case 2:
            kind = Kinds::Arrow { at, rect.bottomRight() };
            break;
        case 3:
            kind = Kinds::Line { at, rect.bottomRight() };
            break;
        case 4:
            kind = Kinds::Pixelate { rect };
            break;
        case 5:
            kind = Kinds::Text { at, QStringLiteral("Annotated text that wraps over a few lines of the box") };
            break;
        case 6:
            kind = Kinds::Freehand { path };
            break;
        case 7:
            kind = Kinds::Highlight { path };
            break;
        case 8:
            kind = Kinds::Spotlight { rect };
            break;
        case 9:
            kind = Kinds::Callout { at, i / 12 + 1 };
            break;
        case 10:
            kind = Kinds::Magnifier { QRectF(at, QSizeF(160, 160)), at + QPointF(200, 100) };
            break;
        default:
            kind = Kinds::Measurement { at, rect.bottomRight(), QStringLiteral("240 × 180") };
            break;
        }
        shapes.push_back(AnnotationShape::make(std::move(kind), style));
    }
    return shapes;
}

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
