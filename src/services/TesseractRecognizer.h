#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Reads lines of text with Tesseract's LSTM engine, its most accurate mode.
namespace TesseractRecognizer {

// Tesseract's language list for a value of the ocrLanguage setting. The first language
// leads the recognition; English stays in every list because interface text is mostly
// English. Unknown values get the default, English.
[[nodiscard]] QString languagesFor(const QString& ocrLanguageSetting);

// The page's lines in reading order, each trimmed, empty ones dropped. Expects 8-bit grey
// pixels. Throws OCRError::requestFailed when the engine or its language data cannot start.
[[nodiscard]] QStringList recognizeLines(const QImage& grey, const QString& languages);

} // namespace TesseractRecognizer
