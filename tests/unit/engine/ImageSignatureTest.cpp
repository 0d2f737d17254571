#include "engine/ImageSignature.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double noComparison = std::numeric_limits<double>::max();

Image filled(int width, int height, const QColor& color, double density = 1)
{
    QImage pixels(int(width * density), int(height * density), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(color);
    return Image(pixels, QSizeF(width, height));
}

// A signature whose every pixel in row r has the grey value rows[r].
ImageSignature rowSignature(int width, const std::vector<int>& rows)
{
    std::vector<std::uint8_t> pixels;
    for (int value : rows)
        pixels.insert(pixels.end(), std::size_t(width) * 3, std::uint8_t(value));
    return ImageSignature(width, int(rows.size()), pixels);
}

} // namespace

TEST(ImageSignature, SizeFollowsPointWidthWithinLimitsAndNeedsMatchingPixels)
{
    struct Case {
        QSizeF points;
        int targetWidth;
        int width;
        int height;
    } const cases[] = {
        { { 30, 20 }, 96, 48, 48 }, // too narrow: raised to 48 columns, rows too
        { { 1512, 982 }, 96, 96, 62 }, // 62.35
        { { 70.9, 300 }, 96, 70, 296 }, // floor of the width; 296.2 rows
        { { 96, 60.5 }, 96, 96, 61 }, // half rows round away from zero
        { { 960, 10 }, 96, 96, 48 },
        { { 400, 2 }, 500, 400, 48 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points.width() << "x" << c.points.height());
        const auto signature
            = ImageSignature::fromImage(Image(QImage(100, 100, QImage::Format_RGB32), c.points), c.targetWidth);
        ASSERT_TRUE(signature);
        EXPECT_EQ(signature->width(), c.width);
        EXPECT_EQ(signature->height(), c.height);
        EXPECT_EQ(signature->pixels().size(), std::size_t(c.width) * std::size_t(c.height) * 3);
    }

    // No signature without a size or with pixels that do not match it.
    for (const QSizeF& size : { QSizeF(0, 0), QSizeF(0, 10), QSizeF(10, -1), QSizeF(qQNaN(), 10) }) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        EXPECT_FALSE(ImageSignature::fromImage(Image(QImage(10, 10, QImage::Format_RGB32), size), 96));
    }
    EXPECT_FALSE(ImageSignature::fromImage(Image(QImage(), QSizeF(10, 10)), 96));
    // A sliver 1 point wide and 10000 tall would need 480000 rows of 48 columns.
    EXPECT_FALSE(ImageSignature::fromImage(Image(QImage(1, 100, QImage::Format_RGB32), QSizeF(1, 10000)), 96));
    EXPECT_THROW(ImageSignature(2, 2, std::vector<std::uint8_t>(11)), std::invalid_argument);
    EXPECT_THROW(ImageSignature(-1, 2, {}), std::invalid_argument);
}

TEST(ImageSignature, AveragesBlocksRatherThanSamplingThem)
{
    // Alternating black and white columns, one pixel each: every cell is mid grey (sampling
    // instead of averaging would see black or white, depending on the column).
    QImage stripes(960, 480, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? 0xFF000000 : 0xFFFFFFFF);
    const auto grey = ImageSignature::fromImage(Image(stripes, QSizeF(97, 48)), 96);
    ASSERT_TRUE(grey);
    for (int x = 0; x < grey->width(); ++x)
        EXPECT_NEAR(grey->pixels()[std::size_t(7 * grey->width() + x) * 3], 128, 2) << x;
}

TEST(ImageSignature, MeanDifferenceComparesTheCommonAreaOnly)
{
    const auto black = ImageSignature::fromImage(filled(96, 96, Qt::black), 96);
    const auto white = ImageSignature::fromImage(filled(96, 96, Qt::white), 96);
    const auto red = ImageSignature::fromImage(filled(96, 96, QColor(255, 0, 0)), 96);
    ASSERT_TRUE(black && white && red);
    EXPECT_DOUBLE_EQ(black->meanDifference(*white), 255);
    EXPECT_DOUBLE_EQ(black->meanDifference(*red), 85);
    EXPECT_DOUBLE_EQ(white->meanDifference(*white), 0);

    // Only the left 48 columns and top 50 rows are shared: a difference outside them is unseen.
    std::vector<int> rows(50, 200);
    const ImageSignature narrow = rowSignature(48, rows);
    rows.resize(80, 0);
    const ImageSignature wide = rowSignature(96, rows);
    EXPECT_DOUBLE_EQ(narrow.meanDifference(wide), 0);
    EXPECT_DOUBLE_EQ(wide.meanDifference(narrow), 0);
    EXPECT_EQ(narrow.meanDifference(ImageSignature(0, 0, {})), noComparison);
}

TEST(ImageSignature, AlignmentScoreComparesUpperBottomWithLowerRowsInsideTheSideMargins)
{
    // Upper rows 0..59 hold values 0..59; lower row r holds 30 + r, i.e. the lower shot is the
    // upper one scrolled by 30 rows.
    std::vector<int> upperRows(60);
    std::vector<int> lowerRows(60);
    for (int r = 0; r < 60; ++r) {
        upperRows[std::size_t(r)] = r;
        lowerRows[std::size_t(r)] = 30 + r;
    }
    const ImageSignature upper = rowSignature(48, upperRows);
    const ImageSignature lower = rowSignature(48, lowerRows);
    EXPECT_DOUBLE_EQ(upper.scoreForAlignment(lower, 30, 0), 0);
    EXPECT_DOUBLE_EQ(upper.scoreForAlignment(lower, 25, 0), 5); // upper 35.. against lower 30..
    EXPECT_DOUBLE_EQ(upper.scoreForAlignment(lower, 20, 0), 10);
    // Skipping 10 rows of the lower shot, 20 rows still reach the same 30-row overlap.
    EXPECT_DOUBLE_EQ(upper.scoreForAlignment(lower, 20, 10), 0);
    // Rows past the lower end are skipped, not read: 10 pairs remain, each 40 apart.
    EXPECT_DOUBLE_EQ(upper.scoreForAlignment(lower, 20, 50), 40);
    EXPECT_EQ(upper.scoreForAlignment(lower, 10, 60), noComparison);
    EXPECT_EQ(upper.scoreForAlignment(lower, 0, 0), noComparison);

    // 96 columns: the margin is 4 columns on each side. Paint them differently in the lower.
    std::vector<std::uint8_t> flatPixels(96 * 48 * 3, 100);
    std::vector<std::uint8_t> marginPixels = flatPixels;
    for (int y = 0; y < 48; ++y)
        for (int x : { 0, 1, 2, 3, 92, 93, 94, 95 })
            std::fill_n(marginPixels.begin() + (y * 96 + x) * 3, 3, 0);
    const ImageSignature flat(96, 48, flatPixels);
    EXPECT_DOUBLE_EQ(flat.scoreForAlignment(ImageSignature(96, 48, marginPixels), 40, 0), 0);
    EXPECT_GT(flat.meanDifference(ImageSignature(96, 48, marginPixels)), 0);
    marginPixels[(5 * 96 + 4) * 3] = 0; // the first column inside the margin counts
    EXPECT_GT(flat.scoreForAlignment(ImageSignature(96, 48, marginPixels), 43, 0), 0);
}
