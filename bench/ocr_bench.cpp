// Text and QR recognition of a 2560 x 1440 screenshot full of text, the way the editor's
// "Recognize Text" command runs it. Run a release build:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/bench --target ocr_bench && build/bench/bench/ocr_bench
#include "services/OCRService.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

#include <random>

namespace {

constexpr int screenWidth = 2560;
constexpr int screenHeight = 1440;

const QStringList vocabulary
    = QStringLiteral("the screenshot editor copies every capture to the clipboard and saves a file named by date "
                     "annotations stay editable until export while recognition reads text from windows menus and "
                     "documents invoice total account settings network upload server answer link status window "
                     "select rectangle arrow highlight counter magnifier crop ruler colour background preview")
          .split(QLatin1Char(' '));

// Two columns of 15-pixel interface text under a title bar, like a document viewer.
QImage screenFullOfText(QSet<QString>& words)
{
    QImage screen(screenWidth, screenHeight, QImage::Format_ARGB32_Premultiplied);
    screen.fill(QColor(0xfb, 0xfb, 0xfd));
    QPainter painter(&screen);
    painter.fillRect(0, 0, screenWidth, 36, QColor(0x2b, 0x2d, 0x31));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(QColor(0x22, 0x22, 0x22));
    std::mt19937 random(7);
    std::uniform_int_distribution<qsizetype> pick(0, vocabulary.size() - 1);
    for (int column = 0; column < 2; ++column) {
        for (int y = 70; y < screenHeight - 20; y += 22) {
            QStringList line;
            for (int word = 0; word < 14; ++word)
                line.append(vocabulary[pick(random)]);
            words.unite(QSet<QString>(line.begin(), line.end()));
            painter.drawText(40 + column * screenWidth / 2, y, line.join(QLatin1Char(' ')));
        }
    }
    return screen;
}

void recognizeScreenFullOfText(benchmark::State& state)
{
    QSet<QString> words;
    const Image screen(screenFullOfText(words));
    ImageAnalysisResult result;
    for (auto _ : state) {
        result = OCRService::analyze(screen);
        benchmark::DoNotOptimize(result);
    }
    // How much of the rendered text came back, as a sanity check on the timing.
    const QStringList read = result.text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    qsizetype known = 0;
    for (const QString& word : read)
        known += words.contains(word) ? 1 : 0;
    state.counters["lines"] = double(result.text.count(QLatin1Char('\n')) + 1);
    state.counters["known_words"] = read.isEmpty() ? 0.0 : double(known) / double(read.size());
}

} // namespace

BENCHMARK(recognizeScreenFullOfText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
