// Shots that overlap by less than the signature search can see; the stitching tests show
// Page Down steps stitched back to the page.
#include "engine/ExactOverlapSearch.h"
#include "engine/ImageCompositionService.h"

#include "StitchTestPages.h"

#include <QPainter>

#include <gtest/gtest.h>

using StitchTestPages::Page;

namespace {

// A scroll bar thumb in the right margin that moves with every shot, as browsers draw it.
Image withScrollBar(const Image& shot, int index)
{
    QImage pixels = shot.pixels().copy();
    QPainter painter(&pixels);
    painter.fillRect(QRect(pixels.width() - 10, 40 * index, 8, 120), QColor(120, 120, 120));
    painter.end();
    return Image(pixels, shot.size());
}

} // namespace

TEST(ExactOverlapSearch, FixedHeaderUpToThirtyPercentIsCutWithTheRepeatedRowsAndScrollBarsAreIgnored)
{
    const Page page(1000, 2000, 1, 9);
    std::vector<Image> shots;
    for (int i = 0; i < 3; ++i) {
        Image shot = withScrollBar(page.rows(i * 492, 600), i);
        StitchTestPages::drawFixedBand(shot, 0, 48, QColor(20, 60, 120), QStringLiteral("Site header"));
        shots.push_back(shot);
    }
    // Each shot shows 552 points of page under the header; 60 of them repeat.
    const std::vector<StitchedSegment> segments = ImageCompositionService::trimmedSegments(shots);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[1].topTrim, 48 + 60);
    EXPECT_EQ(segments[2].topTrim, 48 + 60);

    // A fixed band is a header only up to thirty percent of the shot.
    for (const auto& [band, cut] : { std::pair { 120, true }, std::pair { 240, false } }) {
        SCOPED_TRACE(band);
        Image upper = page.rows(0, 600);
        Image lower = page.rows(300, 600);
        for (Image* shot : { &upper, &lower })
            StitchTestPages::drawFixedBand(*shot, 0, band, QColor(20, 60, 120), QStringLiteral("Header"));
        const std::optional<double> trim = ExactOverlapSearch::trim(upper, lower);
        EXPECT_EQ(trim.has_value(), cut);
        EXPECT_EQ(trim.value_or(300), 300);
    }
}

TEST(ExactOverlapSearch, FindsNothingWithoutRepeatedContent)
{
    const Page first(1200, 700, 1, 1);
    const Page second(1200, 700, 1, 2);
    EXPECT_FALSE(ExactOverlapSearch::trim(first.rows(0, 700), second.rows(0, 700))) << "unrelated pages";

    // Blank rows at the end of one shot and the start of the next prove nothing.
    Image upper = first.rows(0, 700);
    Image lower = second.rows(0, 700);
    QImage upperPixels = upper.pixels();
    QImage lowerPixels = lower.pixels();
    QPainter(&upperPixels).fillRect(QRect(0, 600, 1200, 100), Qt::white);
    QPainter(&lowerPixels).fillRect(QRect(0, 0, 1200, 100), Qt::white);
    EXPECT_FALSE(ExactOverlapSearch::trim(Image(upperPixels, upper.size()), Image(lowerPixels, lower.size())))
        << "only blank rows repeat";

    EXPECT_FALSE(ExactOverlapSearch::trim(first.rows(0, 700), first.rows(0, 600))) << "different sizes";
}

TEST(ExactOverlapSearch, EveryShotKeepsItsLastRowsWhateverRepeats)
{
    const Page page(800, 601, 1, 3);
    // The page moved up by a single row: all but that row repeats.
    const std::optional<double> trim = ExactOverlapSearch::trim(page.rows(0, 600), page.rows(1, 600));
    ASSERT_TRUE(trim);
    EXPECT_EQ(*trim, 600 - 24);
}

TEST(ExactOverlapSearch, AWrongOverlapOfTheSignaturesIsNotCut)
{
    // Under a fixed header only 12 points repeat, too few rows of text to prove anything; the
    // signatures of this mostly white page score a wrong overlap of about 340 points as good.
    const Page page(1000, 2000, 1, 9);
    std::vector<Image> shots;
    for (int i = 0; i < 2; ++i) {
        Image shot = page.rows(i * 540, 600);
        StitchTestPages::drawFixedBand(shot, 0, 48, QColor(20, 60, 120), QStringLiteral("Site header"));
        shots.push_back(shot);
    }
    const auto analysis = ImageCompositionService::analyzeVerticalContinuation(shots[0], shots[1]);
    ASSERT_TRUE(analysis);
    EXPECT_GT(analysis->topTrim, 100) << "the case still shows the signatures' mistake";
    EXPECT_FALSE(ExactOverlapSearch::confirms(shots[0], shots[1], analysis->topTrim, analysis->overlapStart));
    EXPECT_TRUE(ExactOverlapSearch::confirms(shots[0], shots[1], 48 + 12, 48));
    EXPECT_EQ(ImageCompositionService::trimmedSegments(shots)[1].topTrim, 0) << "the whole shot is kept";
}
