#include "engine/ImageCompositionService.h"

#include "StitchTestPages.h"

#include <gtest/gtest.h>

using StitchTestPages::Page;

namespace {

// Equal point size and pixels, whatever the pixel format.
testing::AssertionResult sameImage(const Image& actual, const Image& expected)
{
    const auto pixels
        = [](const Image& image) { return image.pixels().convertToFormat(QImage::Format_ARGB32_Premultiplied); };
    if (actual.size() == expected.size() && pixels(actual) == pixels(expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got " << actual.pixelWidth() << "x" << actual.pixelHeight() << " pixels, "
                                       << expected.pixelWidth() << "x" << expected.pixelHeight() << " expected";
}

// Shots of a viewport scrolled down by `step` points each time, from the top of the page.
std::vector<Image> shotsScrollingDown(const Page& page, int viewportHeight, int step, int count)
{
    std::vector<Image> shots;
    for (int i = 0; i < count; ++i)
        shots.push_back(page.rows(i * step, viewportHeight));
    return shots;
}

} // namespace

// The signature has 5 points per row on a 480 × 1200 viewport, so overlaps of 10 % (the
// 24-row minimum) to 60 % are found exactly; on the landscape 960 × 640 viewport a row is 10
// points and the 24-row minimum is 37.5 %. Smaller overlaps, like the tenth of the window a
// browser's Page Down keeps, are below what the signatures see and found row for row.
TEST(StitchVertically, StitchesBackExactlyTheSourceRows)
{
    struct Case {
        int width, viewportHeight, overlap, density;
        unsigned seed = 7;
        int header = 0;
    } const cases[] = { { 480, 1200, 120, 1 }, { 480, 1200, 480, 1 }, { 480, 1200, 720, 2 }, { 960, 640, 250, 1 },
        { 960, 640, 320, 2 }, { 1200, 700, 70, 1, 5 }, { 1200, 700, 56, 2, 5 }, { 1920, 800, 40, 1, 5 },
        { 960, 640, 64, 1, 5 }, { 1512, 982, 437, 2, 11, 50 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.viewportHeight << " overlap " << c.overlap << " at "
                                        << c.density << "x");
        const int step = c.viewportHeight - c.overlap;
        const Page page(c.width, 2 * step + c.viewportHeight, c.density, c.seed);
        std::vector<Image> shots = shotsScrollingDown(page, c.viewportHeight, step, 3);
        // A fixed header is cut from every later shot with the repeated rows.
        Image expected = page.rows(0, page.height());
        for (Image* image : { &shots[0], &shots[1], &shots[2], &expected })
            if (c.header > 0)
                StitchTestPages::drawFixedBand(*image, 0, c.header, QColor(200, 40, 40), QStringLiteral("Menu"));

        const std::vector<StitchedSegment> segments = ImageCompositionService::trimmedSegments(shots);
        ASSERT_EQ(segments.size(), shots.size());
        EXPECT_EQ(segments[0].topTrim, 0);
        for (std::size_t i = 1; i < segments.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(segments[i].topTrim, c.overlap);
            EXPECT_EQ(segments[i].originalImage, shots[i]);
            EXPECT_EQ(segments[i].image.size(), QSizeF(c.width, step));
        }
        const std::optional<Image> stitched = ImageCompositionService::stitchVertically(shots);
        ASSERT_TRUE(stitched);
        EXPECT_TRUE(sameImage(*stitched, expected));
    }
}

TEST(StitchVertically, FixedHeaderAndFooterStillAlignOnTheMovingMiddle)
{
    struct Case {
        int overlap;
        int headerHeight;
        int footerHeight;
    } const cases[] = { { 480, 60, 30 }, { 720, 60, 40 }, { 600, 100, 40 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "overlap " << c.overlap << " header " << c.headerHeight << " footer "
                                        << c.footerHeight);
        const int height = 1200;
        const Page page(480, 2 * height, 1, 5);
        std::vector<Image> shots = shotsScrollingDown(page, height, height - c.overlap, 2);
        for (Image& shot : shots) {
            StitchTestPages::drawFixedBand(shot, 0, c.headerHeight, QColor(30, 60, 140), QStringLiteral("Header"));
            StitchTestPages::drawFixedBand(
                shot, height - c.footerHeight, c.footerHeight, QColor(235, 235, 240), QStringLiteral("Cookies"));
        }
        const auto analysis = ImageCompositionService::analyzeVerticalContinuation(shots[0], shots[1]);
        ASSERT_TRUE(analysis);
        EXPECT_EQ(analysis->topTrim, c.overlap);
        EXPECT_GE(analysis->overlapStart, c.headerHeight);
        EXPECT_FALSE(analysis->hasNoNewContent);
    }
}

TEST(StitchVertically, UnrelatedShotsAreKeptWholeAndCentred)
{
    const Page page(200, 400, 2, 9);
    QImage blue(120, 80, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    const Image lower(blue, QSizeF(60, 40)); // narrower, and a different picture altogether
    const Image upper = page.rows(0, 400);

    const auto stitched = ImageCompositionService::stitchVertically({ upper, lower });
    ASSERT_TRUE(stitched);
    EXPECT_EQ(stitched->size(), QSizeF(200, 440));
    EXPECT_EQ(stitched->pixels().size(), QSize(400, 880));
    const QImage& pixels = stitched->pixels();
    EXPECT_EQ(pixels.copy(0, 0, 400, 800), upper.pixels().convertToFormat(pixels.format()));
    // (200 - 60) / 2 = 70 points from the left, white on both sides.
    EXPECT_EQ(pixels.pixelColor(139, 820), QColor(Qt::white));
    EXPECT_EQ(pixels.pixelColor(140, 800), QColor(0, 0, 255));
    EXPECT_EQ(pixels.pixelColor(259, 879), QColor(0, 0, 255));
    EXPECT_EQ(pixels.pixelColor(260, 879), QColor(Qt::white));
}

TEST(StitchVertically, EmptyImagesAreDroppedAndACanvasTooLargeGivesNone)
{
    const Page page(480, 1200 + 600, 1);
    const std::vector<Image> shots = shotsScrollingDown(page, 1200, 600, 2);
    const Image empty;
    const Image zeroPoints(QImage(10, 10, QImage::Format_RGB32), QSizeF(0, 0));
    const auto withEmpties
        = ImageCompositionService::stitchVertically({ empty, shots[0], zeroPoints, shots[1], empty });
    ASSERT_TRUE(withEmpties);
    EXPECT_TRUE(sameImage(*withEmpties, page.rows(0, page.height())));
    const auto single = ImageCompositionService::stitchVertically({ empty, shots[0] });
    ASSERT_TRUE(single);
    EXPECT_TRUE(sameImage(*single, shots[0]));

    EXPECT_FALSE(ImageCompositionService::stitchVertically({}));
    EXPECT_FALSE(ImageCompositionService::stitchVertically({ empty, zeroPoints }));
    EXPECT_TRUE(ImageCompositionService::trimmedSegments({}).empty());
    // A 16 × 16-pixel shot of one point sets the density to 16; a shot of 8000 × 8000 points
    // then needs a canvas of 16 gigapixels.
    QImage pixels(16, 16, QImage::Format_RGB32);
    pixels.fill(Qt::black);
    EXPECT_FALSE(
        ImageCompositionService::stitchVertically({ Image(pixels, QSizeF(1, 1)), Image(pixels, QSizeF(8000, 8000)) }));
}
