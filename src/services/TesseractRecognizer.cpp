#include "services/TesseractRecognizer.h"

#include "domain/OCRError.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <QMutex>

#include <dlfcn.h>

#include <algorithm>
#include <vector>

#include <memory>

namespace TesseractRecognizer {

namespace {

struct EngineDeleter {
    void operator()(tesseract::TessBaseAPI* engine) const
    {
        engine->End();
        delete engine;
    }
};
using Engine = std::unique_ptr<tesseract::TessBaseAPI, EngineDeleter>;
using TextPointer = std::unique_ptr<char[]>;

// Debian's Tesseract runs parts of its LSTM on OpenMP teams of a fixed size (up to ten
// threads) that busy-wait; on a desktop whose cores are already busy that made a page of
// text several times slower than one thread. Dynamic teams let the OpenMP runtime size
// them by the machine's load. The setting belongs to the calling thread. Looked up at run
// time because the runtime is Tesseract's dependency, not ours, and may be absent.
void letOpenMPSizeTeamsByLoad()
{
    using SetDynamic = void (*)(int);
    static const auto setDynamic = reinterpret_cast<SetDynamic>(dlsym(RTLD_DEFAULT, "omp_set_dynamic"));
    if (setDynamic)
        setDynamic(1);
}

Engine startEngine(const QString& languages)
{
    Engine engine(new tesseract::TessBaseAPI);
    // The data path comes from Tesseract's own default (or TESSDATA_PREFIX).
    if (engine->Init(nullptr, languages.toUtf8().constData(), tesseract::OEM_LSTM_ONLY) != 0)
        return nullptr;
    // Its progress and warnings would go to stderr of the application.
    engine->SetVariable("debug_file", "/dev/null");
    // Light-on-dark text arrives inverted already; the engine's own retry of every doubtful
    // line in inverted form would only double the time spent on it.
    engine->SetVariable("tessedit_do_invert", "0");
    return engine;
}

// Engines not reading right now, kept for the next region or picture: loading the language
// model costs about as much as reading a screenful of text. A thread takes one while it
// reads, so each engine serves one thread at a time.
struct IdleEngines {
    QMutex mutex;
    std::vector<std::pair<QString, Engine>> engines;
};

IdleEngines& idleEngines()
{
    static IdleEngines idle;
    return idle;
}

Engine takeEngine(const QString& languages)
{
    {
        IdleEngines& idle = idleEngines();
        const QMutexLocker locker(&idle.mutex);
        const auto found = std::find_if(idle.engines.begin(), idle.engines.end(),
            [&languages](const auto& entry) { return entry.first == languages; });
        if (found != idle.engines.end()) {
            Engine engine = std::move(found->second);
            idle.engines.erase(found);
            return engine;
        }
        // The language setting changed: the engines of the old one would only hold memory.
        idle.engines.clear();
    }
    Engine engine = startEngine(languages);
    if (!engine)
        throw OCRError(OCRError::Code::requestFailed);
    return engine;
}

void giveBack(const QString& languages, Engine engine)
{
    IdleEngines& idle = idleEngines();
    const QMutexLocker locker(&idle.mutex);
    idle.engines.emplace_back(languages, std::move(engine));
}

tesseract::PageSegMode segmentationFor(Layout layout)
{
    switch (layout) {
    case Layout::block:
        return tesseract::PSM_SINGLE_BLOCK;
    case Layout::line:
        return tesseract::PSM_SINGLE_LINE;
    case Layout::page:
        break;
    }
    return tesseract::PSM_AUTO;
}

QStringList linesOf(tesseract::TessBaseAPI& engine)
{
    QStringList lines;
    std::unique_ptr<tesseract::ResultIterator> iterator(engine.GetIterator());
    if (!iterator)
        return lines;
    constexpr auto level = tesseract::RIL_TEXTLINE;
    do {
        const TextPointer text(iterator->GetUTF8Text(level));
        if (!text)
            continue;
        const QString line = QString::fromUtf8(text.get()).trimmed();
        if (!line.isEmpty())
            lines.append(line);
    } while (iterator->Next(level));
    return lines;
}

} // namespace

QString languagesFor(const QString& ocrLanguageSetting)
{
    if (ocrLanguageSetting == QLatin1StringView("Polish+"))
        return QStringLiteral("pol+eng");
    if (ocrLanguageSetting == QLatin1StringView("Auto"))
        return QStringLiteral("eng+pol");
    return QStringLiteral("eng");
}

QStringList recognizeLines(const QImage& grey, const QString& languages, Layout layout, int pixelsPerInch)
{
    letOpenMPSizeTeamsByLoad();
    Engine engine = takeEngine(languages);
    engine->SetPageSegMode(segmentationFor(layout));
    engine->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    engine->SetSourceResolution(pixelsPerInch);
    if (engine->Recognize(nullptr) != 0)
        throw OCRError(OCRError::Code::requestFailed);
    QStringList lines = linesOf(*engine);
    engine->Clear();
    giveBack(languages, std::move(engine));
    return lines;
}

void endIdleEngines()
{
    IdleEngines& idle = idleEngines();
    const QMutexLocker locker(&idle.mutex);
    idle.engines.clear();
}

} // namespace TesseractRecognizer
