// Overlap analysis and stitching of a scrolling capture on synthetic 2x pages: one pair of
// shots analysed, and 20 shots stitched, with the process's peak memory.
#include "engine/ImageCompositionService.h"

#include "../tests/unit/engine/StitchTestPages.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstring>
#include <map>
#include <memory>

namespace {

constexpr int density = 2;
constexpr int shotCount = 20;
constexpr double overlapShare = 0.45;

struct Capture {
    std::unique_ptr<StitchTestPages::Page> page;
    std::vector<Image> shots;
};

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024; // kilobytes on Linux
}

// Shots that read the page's own rows, as a capture's separate buffers would, without
// holding the page twice.
const Capture& capture(int width, int height)
{
    static std::map<std::pair<int, int>, Capture> captures;
    Capture& capture = captures[{ width, height }];
    if (capture.page)
        return capture;
    const int step = height - static_cast<int>(height * overlapShare);
    capture.page = std::make_unique<StitchTestPages::Page>(width, (shotCount - 1) * step + height, density);
    const QImage& pixels = capture.page->pixels();
    for (int i = 0; i < shotCount; ++i) {
        const uchar* top = pixels.constBits() + qsizetype(i) * step * density * pixels.bytesPerLine();
        capture.shots.emplace_back(
            QImage(top, pixels.width(), height * density, pixels.bytesPerLine(), pixels.format()),
            QSizeF(width, height));
    }
    return capture;
}

void analyzePair(benchmark::State& state)
{
    const Capture& shots = capture(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageCompositionService::analyzeVerticalContinuation(shots.shots[0], shots.shots[1]));
}

void stitchShots(benchmark::State& state)
{
    const Capture& shots = capture(int(state.range(0)), int(state.range(1)));
    const double before = peakMegabytes();
    bool exact = false;
    for (auto _ : state) {
        const std::optional<Image> stitched = ImageCompositionService::stitchVertically(shots.shots);
        const QImage& page = shots.page->pixels();
        exact = stitched && stitched->pixels().size() == page.size()
            && std::memcmp(stitched->pixels().constBits(), page.constBits(), std::size_t(page.sizeInBytes())) == 0;
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_growth_MB"] = peakMegabytes() - before;
    state.counters["exact"] = exact ? 1 : 0;
}

} // namespace

BENCHMARK(analyzePair)->Args({ 1512, 982 })->Args({ 1920, 1080 })->Unit(benchmark::kMillisecond);
BENCHMARK(stitchShots)->Args({ 1512, 982 })->Args({ 1920, 1080 })->Unit(benchmark::kMillisecond)->Iterations(3);
