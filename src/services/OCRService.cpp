#include "services/OCRService.h"

#include "domain/OCRError.h"
#include "services/QRCodeReader.h"
#include "services/TesseractRecognizer.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

#include <QCoro/QCoroFuture>

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
    const QStringList lines = TesseractRecognizer::recognizeLines(
        withoutCodes(grey, codes), TesseractRecognizer::languagesFor(ocrLanguage));
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
