// Reading the text and QR codes of the picture.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "domain/ImageIOError.h"
#include "ports/ClipboardPort.h"
#include "services/OCRService.h"

#include <QPointer>

QCoro::Task<> AppState::recognizeText()
{
    // Tesseract keeps a core busy for seconds; a second request would only queue the same work.
    if (isRecognizingText()) {
        statusMessage.set(QStringLiteral("Text recognition is already running"));
        co_return;
    }
    std::optional<Image> image = pictureForExport();
    if (!image)
        co_return;

    isRecognizingText.set(true);
    QPointer<AppState> self(this);
    ImageAnalysisResult result;
    try {
        result = co_await OCRService::analyzeInBackground(std::move(*image), settings.ocrLanguage());
    } catch (const TrovixError& error) {
        if (self) {
            isRecognizingText.set(false);
            errorMessage.set(error.description());
        }
        co_return;
    }
    if (!self)
        co_return;
    isRecognizingText.set(false);

    recognizedText.set(result.text.isEmpty() ? QStringLiteral("No text detected.") : result.text);
    recognizedCodes.set(result.codes);
    isShowingOCRSheet.set(true);
    statusMessage.set(result.codes.isEmpty() ? QStringLiteral("OCR completed") : QStringLiteral("OCR and QR analysis completed"));
    if (!result.text.isEmpty()) {
        m_ports.clipboard.setText(result.text);
        statusMessage.set(QStringLiteral("OCR completed and copied to clipboard"));
    }
}
