// Recognition of real screens: each corpus picture must give back nearly all of its words in
// their order.
#include "services/OCRService.h"

#include "support/RecognitionCorpus.h"

#include <gtest/gtest.h>

namespace {

const QString sourceDir = QStringLiteral(TROVIX_SOURCE_DIR);

// Each picture's floor sits a little under what it scores, so that a change which costs
// words on any kind of screen fails here.
const struct {
    const char* name;
    double floor;
} floors[] = {
    { "code-mono", 0.96 },
    { "page-2560", 0.98 },
    { "qt-dialog", 0.97 },
    { "screen-1920", 0.98 },
    { "terminal-dark-11pt", 0.95 },
    { "terminal-dark-8pt-numbers", 0.97 },
    { "terminal-light-14pt", 0.97 },
    { "terminal-light-9pt", 0.98 },
    { "web-2x", 0.98 },
    { "web-dark", 0.98 },
    { "web-light-beside-dark", 0.98 },
    { "web-light-captions", 0.98 },
    { "web-two-columns", 0.98 },
};

} // namespace

TEST(OCRCorpus, EveryPictureGivesBackItsWordsInOrder)
{
    ASSERT_EQ(std::size(floors), size_t(RecognitionCorpus::names(sourceDir).size()))
        << "every corpus picture needs a floor";
    for (const auto& entry : floors) {
        SCOPED_TRACE(entry.name);
        const RecognitionCorpus::Picture picture = RecognitionCorpus::load(sourceDir, QString::fromUtf8(entry.name));
        ASSERT_FALSE(picture.pixels.isNull());
        ASSERT_FALSE(picture.truth.isEmpty());
        // A 2x screen's pixels stand for half as many points.
        const double density = picture.name.endsWith(QLatin1StringView("-2x")) ? 2.0 : 1.0;
        const Image image(picture.pixels, QSizeF(picture.pixels.size()) / density);
        const QString text = OCRService::analyze(image).text;
        const double score = RecognitionCorpus::score(picture.truth, text);
        RecordProperty(entry.name, QString::number(score, 'f', 3).toStdString());
        EXPECT_GE(score, entry.floor) << text.toStdString();
    }
}
