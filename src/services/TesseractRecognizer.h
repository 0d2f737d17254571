#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Reads lines of text with Tesseract's LSTM engine, its most accurate mode. Engines are not
// thread-safe and take a while to load: each call takes an idle engine of its languages (or
// starts one) and keeps it for the next call, so several threads read at once, one engine each.
namespace TesseractRecognizer {

// How the picture's text is laid out, which decides how the engine looks for lines.
enum class Layout {
    // Any arrangement of blocks; the engine finds them.
    page,
    // One block of lines read top to bottom, each line left to right even across wide gaps
    // (a terminal listing, a table, a form).
    block,
    line,
};

// Tesseract's language list for a value of the ocrLanguage setting. The first language
// leads the recognition; English stays in every list because interface text is mostly
// English. Unknown values get the default, English.
[[nodiscard]] QString languagesFor(const QString& ocrLanguageSetting);

// The picture's lines in reading order, each trimmed, empty ones dropped. Expects 8-bit grey
// pixels, dark text on light paper. Throws OCRError::requestFailed when the engine or its
// language data cannot start.
[[nodiscard]] QStringList recognizeLines(
    const QImage& grey, const QString& languages, Layout layout = Layout::page, int pixelsPerInch = 96);

// Ends the engines kept between calls. They must end before the process's static objects
// (Tesseract's caches among them) are destroyed; calls running meanwhile keep theirs.
void endIdleEngines();

} // namespace TesseractRecognizer
