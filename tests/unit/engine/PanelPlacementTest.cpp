#include "engine/PanelPlacement.h"

#include <gtest/gtest.h>

namespace {

Screen screen(QRectF frame, QRectF visibleFrame, QRect nativeGeometry, double scaleFactor = 1)
{
    return { QStringLiteral("screen"), frame, visibleFrame, scaleFactor, nativeGeometry };
}

struct PlacementCase {
    const char* name;
    Screen screen;
    QRect expected;
};

// Root rectangles worked out by hand from the screens' two descriptions.
const PlacementCase placementCases[] = {
    { "a top panel of 32 points shortens the work area from above",
        screen(QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1920, 1048), QRect(0, 0, 1920, 1080)),
        QRect(1920 - 28 - 330, 32 + 28, 330, 168) },
    { "a right-hand dock narrows it",
        screen(QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1856, 1080), QRect(0, 0, 1920, 1080)),
        QRect(1856 - 28 - 330, 28, 330, 168) },
    { "a second screen to the right, lower than the primary",
        screen(QRectF(1920, -200, 1280, 1024), QRectF(1920, -200, 1280, 1024), QRect(1920, 256, 1280, 1024)),
        QRect(1920 + 1280 - 28 - 330, 256 + 28, 330, 168) },
};

TEST(PanelPlacementTest, PanelSitsTwentyEightPointsFromTheWorkAreasTopRightCornerOnEachScreensScale)
{
    for (const PlacementCase& testCase : placementCases) {
        SCOPED_TRACE(testCase.name);
        const QRect placed = PanelPlacement::topRightRootRect(testCase.screen, QSizeF(330, 168));
        EXPECT_EQ(placed, testCase.expected);
        EXPECT_TRUE(testCase.screen.nativeGeometry.contains(placed));
    }

    // The toolkit keeps each screen's root corner and divides the distances from it by the
    // screen's own scale, whatever the other screens' scales.
    const struct {
        const char* name;
        Screen screen;
        QPoint expected;
    } cases[] = {
        { "a 2x screen right of a 1x one",
            screen(QRectF(1920, 0, 1280, 720), QRectF(1920, 0, 1280, 720), QRect(1920, 0, 2560, 1440), 2),
            QPoint(1920 + 1280 - 28 - 330, 28) },
        { "a 1x screen right of a 2x one",
            screen(QRectF(3840, 0, 1920, 1080), QRectF(3840, 0, 1920, 1080), QRect(3840, 0, 1920, 1080), 1),
            QPoint(3840 + 1920 - 28 - 330, 28) },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_EQ(PanelPlacement::topRightLogicalPosition(testCase.screen, QSizeF(330, 168)), testCase.expected);
    }
}

} // namespace
