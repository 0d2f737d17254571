#pragma once

#include "domain/Image.h"
#include "domain/ImageAnalysisResult.h"

#include <QString>

#include <QCoro/QCoroTask>

// Reads the text lines and the QR codes of an image. Holds no state.
namespace OCRService {

// The ocrLanguage setting's default; gives English recognition.
inline const QString defaultLanguage = QStringLiteral("English+");

// Blocks for as long as recognition takes (seconds for a large screenshot), so the
// application calls analyzeInBackground. Throws OCRError.
[[nodiscard]] ImageAnalysisResult analyze(const Image& image, const QString& ocrLanguage = defaultLanguage);

// Runs analyze on a worker thread; resumes the caller on its own thread with the result.
// Throws OCRError when awaited, like analyze.
QCoro::Task<ImageAnalysisResult> analyzeInBackground(Image image, QString ocrLanguage = defaultLanguage);

} // namespace OCRService
