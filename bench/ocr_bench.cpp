// Text and QR recognition of the corpus of real screens (tests/ocr-corpus), the way the
// editor's "Recognize Text" command runs it: each picture's time and the share of its true
// words read back in order ("score"). Run a release build:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench --target ocr_bench && build/bench/bench/ocr_bench
#include "services/OCRService.h"

#include "support/RecognitionCorpus.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

const QString sourceDir = QStringLiteral(TROVIX_SOURCE_DIR);

// Processor time of all threads: on a shared, loaded machine the wall time says more about
// the neighbours than about recognition; this says what the work itself costs.
double processSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void recognizePicture(benchmark::State& state, const QString& name)
{
    const RecognitionCorpus::Picture picture = RecognitionCorpus::load(sourceDir, name);
    const double density = name.endsWith(QLatin1StringView("-2x")) ? 2.0 : 1.0;
    const Image image(picture.pixels, QSizeF(picture.pixels.size()) / density);
    // The first recognition also loads the language model on each worker; the figures are
    // for a user's second and later recognitions.
    (void)OCRService::analyze(image);
    ImageAnalysisResult result;
    const double processStart = processSeconds();
    for (auto _ : state) {
        result = OCRService::analyze(image);
        benchmark::DoNotOptimize(result);
    }
    state.counters["cpu_s"] = (processSeconds() - processStart) / double(state.iterations());
    state.counters["score"] = RecognitionCorpus::score(picture.truth, result.text);
    state.counters["megapixels"] = double(picture.pixels.width()) * picture.pixels.height() / 1e6;
}

const bool registered = [] {
    for (const QString& name : RecognitionCorpus::names(sourceDir))
        benchmark::RegisterBenchmark(("recognize/" + name).toStdString().c_str(),
            [name](benchmark::State& state) { recognizePicture(state, name); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    return true;
}();

} // namespace
