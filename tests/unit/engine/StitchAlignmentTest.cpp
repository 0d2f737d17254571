#include "engine/ImageCompositionService.h"
#include "engine/VerticalAlignment.h"

#include <gtest/gtest.h>

using VerticalAlignment::Alignment;
using VerticalAlignment::SearchGrid;

namespace {

ImageSignature uniform(int width, int height, std::uint8_t value)
{
    return ImageSignature(
        width, height, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 3, value));
}

} // namespace

TEST(StitchAlignment, SearchGridFollowsTheShorterSignature)
{
    struct Case {
        int upper;
        int lower;
        SearchGrid grid;
        int lastStartRow;
    } const cases[] = {
        { 62, 62, { 24, 55, 18, 1 }, 18 }, // a landscape screen: 24 rows are 39 % of it
        { 240, 240, { 24, 216, 72, 6 }, 72 }, // the stepping lands on maxShift
        { 48, 48, { 24, 43, 14, 1 }, 14 }, { 100, 100, { 24, 90, 30, 2 }, 30 },
        { 100, 90, { 24, 81, 27, 2 }, 26 }, // 27 is not on the grid
        { 400, 300, { 30, 270, 90, 7 }, 84 }, { 300, 400, { 30, 270, 120, 10 }, 120 }, { 100, 30, { 24, 27, 6, 1 }, 6 },
        { 100, 20, { 24, 24, 0, 1 }, 0 }, // shorter than the minimum overlap: only row 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.upper << " over " << c.lower);
        const SearchGrid grid = VerticalAlignment::searchGrid(c.upper, c.lower);
        EXPECT_EQ(grid, c.grid);
        const std::vector<int> rows = grid.startRows();
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front(), 0);
        EXPECT_EQ(rows.back(), c.lastStartRow);
        EXPECT_EQ(rows.size(), std::size_t(c.lastStartRow / c.grid.shiftStep + 1));
    }
}

TEST(StitchAlignment, ReplacementRule)
{
    // The best so far reaches row 40 of the lower signature with 30 rows of overlap.
    const Alignment best { 10, 30, 5.0 };
    struct Case {
        const char* what;
        Alignment candidate;
        bool replaces;
    } const cases[] = { { "clearly better, shorter", { 0, 24, 4.81 }, true },
        { "better within the band, shorter", { 0, 24, 4.9 }, true }, { "equal score, shorter", { 0, 39, 5.0 }, false },
        { "equal score, reaches further", { 0, 41, 5.0 }, true },
        { "worse within the band, reaches further", { 12, 30, 5.44 }, true },
        { "worse by exactly the band", { 12, 30, 5.45 }, false },
        { "worse beyond the band, reaches further", { 12, 30, 6.0 }, false },
        { "same reach, longer overlap", { 0, 40, 5.2 }, true },
        { "same reach, shorter overlap", { 20, 20, 5.2 }, false },
        { "same reach and overlap, slightly better", { 10, 30, 4.99 }, true },
        { "same candidate", { 10, 30, 5.0 }, false } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(VerticalAlignment::replacesBest(c.candidate, best), c.replaces);
    }
}

TEST(StitchAlignment, TiesGoToTheFurthestReachThenTheLongestOverlap)
{
    // Every candidate scores 0 between two blank signatures of 80 rows. Start rows step by
    // 2 up to 24 and overlaps reach 72, so the furthest reach (80) comes first at row 8.
    const auto best = VerticalAlignment::bestAlignment(uniform(96, 80, 200), uniform(96, 80, 200));
    ASSERT_TRUE(best);
    EXPECT_EQ(*best, (Alignment { 8, 72, 0.0 }));
}

TEST(StitchAlignment, IdenticalOrNearlyIdenticalShotsAddNothingButKeepTheMinimumBand)
{
    const auto analysis = VerticalAlignment::analyze(uniform(96, 80, 200), uniform(96, 80, 200), 400);
    ASSERT_TRUE(analysis);
    // 5 points per row: the match reaches 400 points, capped so that 24 points survive.
    EXPECT_EQ(*analysis, (StitchAnalysis { 376, 360, 40, 0, 24, true }));

    // One bright row in the lower shot: the whole-image difference stays below 1.6 and wins
    // over anything the alignment says.
    std::vector<std::uint8_t> pixels(96 * 80 * 3, 200);
    std::fill_n(pixels.begin() + 70 * 96 * 3, 96 * 3, 255);
    const auto nearly = VerticalAlignment::analyze(uniform(96, 80, 200), ImageSignature(96, 80, pixels), 400);
    ASSERT_TRUE(nearly);
    EXPECT_TRUE(nearly->hasNoNewContent);
    EXPECT_LT(nearly->score, 1.6);
}

TEST(StitchAlignment, UntrustedAlignmentKeepsTheWholeShotUnlessItAddsTooLittle)
{
    const auto analysis = VerticalAlignment::analyze(uniform(96, 80, 0), uniform(96, 80, 100), 400);
    ASSERT_TRUE(analysis);
    EXPECT_EQ(*analysis, (StitchAnalysis { 0, 0, 0, 100, 400, false }));
    // Twenty points are already meaningful new content.
    const auto justEnough = VerticalAlignment::analyze(uniform(96, 80, 0), uniform(96, 48, 100), 20);
    ASSERT_TRUE(justEnough);
    EXPECT_EQ(*justEnough, (StitchAnalysis { 0, 0, 0, 100, 20, false }));

    // A 10-point strip: the trim is capped at 0, and less than 20 points is not new content,
    // so even a poor match is reported as it is.
    const auto strip = VerticalAlignment::analyze(uniform(96, 80, 0), uniform(96, 48, 100), 10);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->topTrim, 0);
    EXPECT_EQ(strip->newContentHeight, 10);
    EXPECT_TRUE(strip->hasNoNewContent);
    EXPECT_EQ(strip->score, 100);
}

TEST(StitchAlignment, SignaturesShorterThanTheMinimumAndImagesWithoutSizeAreNotCompared)
{
    EXPECT_FALSE(VerticalAlignment::analyze(uniform(96, 47, 0), uniform(96, 80, 0), 400));
    EXPECT_FALSE(VerticalAlignment::analyze(uniform(96, 80, 0), uniform(96, 47, 0), 400));

    QImage pixels(100, 100, QImage::Format_RGB32);
    pixels.fill(Qt::white);
    const Image shot(pixels);
    EXPECT_TRUE(ImageCompositionService::analyzeVerticalContinuation(shot, shot));
    EXPECT_FALSE(ImageCompositionService::analyzeVerticalContinuation(Image(), shot));
    EXPECT_FALSE(ImageCompositionService::analyzeVerticalContinuation(shot, Image(pixels, QSizeF(0, 100))));
}
