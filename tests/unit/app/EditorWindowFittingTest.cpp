#include "app/EditorWindowFitting.h"

#include <gtest/gtest.h>

using namespace EditorWindowFitting;

TEST(EditorWindowFitting, ContentSizeForWideAndTallImages)
{
    const QRectF area(0, 0, 1512, 944);
    const struct {
        QSizeF image;
        QSizeF expected;
    } cases[] = {
        { { 400, 300 }, { 920, 620 } }, // small image: the minimums
        { { 400, 500 }, { 920, 680 } }, // exactly 1.25 times as tall is not tall yet
        { { 3000, 2000 }, { 1134.88, 792.96 } }, // scaled to fit 86 % x 84 % of the area
        { { 600, 2000 }, { 540, 792.96 } }, // tall: its own extras and minimums
        { emptyImageSize, { 1090.32, 792.96 } }, // no image: a 980 x 620 stand-in
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.image.width() << "x" << c.image.height());
        const QSizeF size = targetContentSize(c.image, area);
        EXPECT_NEAR(size.width(), c.expected.width(), 0.05);
        EXPECT_NEAR(size.height(), c.expected.height(), 0.05);
    }
}

TEST(EditorWindowFitting, SmallDifferencesAreNotWorthAResize)
{
    EXPECT_FALSE(needsResize({ 920, 620 }, { 930, 634 }));
    EXPECT_TRUE(needsResize({ 920, 620 }, { 930, 635 }));
}

TEST(EditorWindowFitting, PlacementCentresNewWindowsAndKeepsTheTopLeftOfOthers)
{
    const QRectF area(0, 40, 1512, 904);
    const QRectF centred = placedFrame(QRectF(), QSizeF(1000, 700), area);
    EXPECT_EQ(centred, QRectF(256, 142, 1000, 700));

    // y grows upward: keeping the top edge means the bottom moves down when the window grows.
    const QRectF grown = placedFrame(QRectF(100, 300, 800, 500), QSizeF(900, 600), area);
    EXPECT_EQ(grown, QRectF(100, 200, 900, 600));

    // Kept 24 points inside the area.
    const QRectF clamped = placedFrame(QRectF(1400, 10, 800, 500), QSizeF(800, 500), area);
    EXPECT_EQ(clamped, QRectF(1512 - 800 - 24, 64, 800, 500));
    EXPECT_EQ(placedFrame(QRectF(-50, 300, 800, 500), QSizeF(800, 500), area).topLeft(), QPointF(24, 300));
}
