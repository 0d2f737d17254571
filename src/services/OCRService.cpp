#include "services/OCRService.h"

#include "domain/OCRError.h"
#include "engine/RecognitionPicture.h"
#include "engine/ScreenTextRegions.h"
#include "services/QRCodeReader.h"
#include "services/TesseractRecognizer.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPainter>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <QCoro/QCoroFuture>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace OCRService {

namespace {

// Both engines read grey levels. Transparent parts of a framed image count as white paper,
// so dark text on them stays dark.
QImage greyOnWhite(const QImage& pixels)
{
    QImage opaque(pixels.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, pixels);
    painter.end();
    return opaque.convertToFormat(QImage::Format_Grayscale8);
}

// A QR code is no text, but its modules look like glyph fragments to a text recognizer,
// which would report them as nonsense lines. Codes already decoded are painted out first.
QImage withoutCodes(QImage grey, const std::vector<DecodedQRCode>& codes)
{
    if (codes.empty())
        return grey;
    QPainter painter(&grey);
    painter.setPen(QPen(Qt::white, 8));
    painter.setBrush(Qt::white);
    for (const DecodedQRCode& code : codes)
        painter.drawPolygon(code.outline);
    painter.end();
    return grey;
}

QStringList payloadsOf(const std::vector<DecodedQRCode>& codes)
{
    QStringList payloads;
    for (const DecodedQRCode& code : codes) {
        const QString payload = code.payload.trimmed();
        if (!payload.isEmpty())
            payloads.append(payload);
    }
    return payloads;
}

// What a desktop at 1x draws with; Tesseract judges glyph sizes by it.
constexpr double screenPixelsPerInch = 96.0;

// Workers that read regions, one engine each (see TesseractRecognizer). The pool and the kept
// engines go with the application object, before static destruction ends Tesseract's caches.
QThreadPool* s_recognitionPool = nullptr;
QMutex s_recognitionPoolMutex;

QThreadPool& recognitionPool()
{
    const QMutexLocker locker(&s_recognitionPoolMutex);
    if (!s_recognitionPool) {
        s_recognitionPool = new QThreadPool;
        // Each worker holds an engine of some tens of megabytes; beyond four, a screenful
        // has too few blocks to keep more busy.
        s_recognitionPool->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, 4));
        qAddPostRoutine([] {
            const QMutexLocker ending(&s_recognitionPoolMutex);
            delete s_recognitionPool;
            s_recognitionPool = nullptr;
            TesseractRecognizer::endIdleEngines();
        });
    }
    return *s_recognitionPool;
}

struct RegionLines {
    QStringList lines;
    bool failed = false;
};

RegionLines readRegion(const QImage& grey, const TextRegion& region, double pixelsPerPoint, const QString& languages)
{
    const double scale = RecognitionPicture::scaleFor(region.lineHeight, pixelsPerPoint);
    const QImage picture = RecognitionPicture::prepare(grey, region, scale);
    const auto layout = region.lineCount > 1 ? TesseractRecognizer::Layout::block : TesseractRecognizer::Layout::line;
    const int pixelsPerInch = int(std::lround(screenPixelsPerInch * pixelsPerPoint * scale));
    try {
        return { TesseractRecognizer::recognizeLines(picture, languages, layout, pixelsPerInch), false };
    } catch (const OCRError&) {
        // QtConcurrent carries only QException across threads; the failure travels as a value.
        return { {}, true };
    }
}

// A block much larger than the others (a long terminal, a page of one column) would keep one
// worker busy while the rest wait; it is shared out between its lines instead.
std::vector<TextRegion> sharedOut(const QImage& grey, const std::vector<TextRegion>& regions, int workers)
{
    const auto pixels = [](const TextRegion& region) { return double(region.area.width()) * region.area.height(); };
    double total = 0;
    for (const TextRegion& region : regions)
        total += pixels(region);
    std::vector<TextRegion> shared;
    for (const TextRegion& region : regions) {
        const int pieces = std::clamp(int(std::lround(pixels(region) * workers / total)), 1, workers);
        const std::vector<TextRegion> parts = ScreenTextRegions::splitAtLineGaps(grey, region, pieces);
        shared.insert(shared.end(), parts.begin(), parts.end());
    }
    return shared;
}

// Regions are read in parallel, largest first so no worker is left with a big one at the end;
// their lines come back in the regions' reading order, never mixed.
QStringList readRegions(
    const QImage& grey, const std::vector<TextRegion>& regions, double pixelsPerPoint, const QString& languages)
{
    std::vector<size_t> order(regions.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto pixels
        = [&regions](size_t index) { return qint64(regions[index].area.width()) * regions[index].area.height(); };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pixels(a) > pixels(b); });
    std::vector<RegionLines> read(regions.size());
    QSemaphore finished;
    QThreadPool& pool = recognitionPool();
    for (const size_t index : order)
        pool.start([&, index] {
            try {
                read[index] = readRegion(grey, regions[index], pixelsPerPoint, languages);
            } catch (...) {
                // Out of memory or the like: a failed recognition, and the waiting thread wakes.
                read[index].failed = true;
            }
            finished.release();
        });
    finished.acquire(int(regions.size()));
    QStringList lines;
    for (const RegionLines& region : read) {
        if (region.failed)
            throw OCRError(OCRError::Code::requestFailed);
        lines += region.lines;
    }
    return lines;
}

// QFuture carries only QException across threads, so the worker hands the error back as a value.
struct Outcome {
    ImageAnalysisResult result;
    std::optional<OCRError::Code> error;
};

} // namespace

ImageAnalysisResult analyze(const Image& image, const QString& ocrLanguage)
{
    if (image.isNull())
        throw OCRError(OCRError::Code::cgImageUnavailable);
    const QImage grey = greyOnWhite(image.pixels());
    if (grey.isNull())
        throw OCRError(OCRError::Code::cgImageUnavailable);

    const std::vector<DecodedQRCode> codes = QRCodeReader::read(grey);
    const QImage text = withoutCodes(grey, codes);
    const double pixelsPerPoint = image.scaleX() > 0 ? image.scaleX() : 1.0;
    const std::vector<TextRegion> regions
        = sharedOut(text, ScreenTextRegions::find(text), recognitionPool().maxThreadCount());
    const QStringList lines
        = readRegions(text, regions, pixelsPerPoint, TesseractRecognizer::languagesFor(ocrLanguage));
    return ImageAnalysisResult { lines.join(QLatin1Char('\n')), payloadsOf(codes) };
}

QCoro::Task<ImageAnalysisResult> analyzeInBackground(Image image, QString ocrLanguage)
{
    // Named, not awaited inline: g++ 12 destroys lambda captures inside a co_await expression twice.
    QFuture<Outcome> recognizing = QtConcurrent::run([image = std::move(image), language = std::move(ocrLanguage)] {
        try {
            return Outcome { analyze(image, language), std::nullopt };
        } catch (const OCRError& error) {
            return Outcome { {}, error.code() };
        }
    });
    const Outcome outcome = co_await recognizing;
    if (outcome.error)
        throw OCRError(*outcome.error);
    co_return outcome.result;
}

} // namespace OCRService
