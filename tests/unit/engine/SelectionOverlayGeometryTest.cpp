#include "engine/AreaSelectionGeometry.h"
#include "engine/WindowSelectionGeometry.h"

#include <gtest/gtest.h>

TEST(AreaSelectionGeometry, SelectionIsTheWholePointRectangleOfTheDragSquaredWithShift)
{
    struct Row {
        QPointF start;
        QPointF end;
        bool squared;
        QRectF expected;
    };
    const Row rows[] = {
        { { 10, 10 }, { 110, 60 }, false, { 10, 10, 100, 50 } },
        { { 110, 60 }, { 10, 10 }, false, { 10, 10, 100, 50 } },
        // The longer side wins and the square grows towards the drag.
        { { 100, 100 }, { 150, 300 }, true, { 100, 100, 200, 200 } },
        { { 100, 100 }, { 50, 20 }, true, { 20, 20, 80, 80 } },
        { { 100, 100 }, { 150, 300 }, false, { 100, 100, 50, 200 } },
        // Fractions grow outwards to whole points.
        { { 10.4, 10.6 }, { 20.2, 30.1 }, false, { 10, 10, 11, 21 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.start.x() << "," << row.start.y() << " -> " << row.end.x() << ","
                                        << row.end.y() << (row.squared ? " squared" : ""));
        EXPECT_EQ(AreaSelectionGeometry::selectionRect(row.start, row.end, row.squared), row.expected);
    }
}

TEST(AreaSelectionGeometry, SelectionsCountFromSevenPointsAndShowGuidesFromNineteen)
{
    EXPECT_FALSE(AreaSelectionGeometry::isLargeEnough(QRectF(10, 10, 0, 0))) << "a click";
    EXPECT_FALSE(AreaSelectionGeometry::isLargeEnough(QRectF(10, 10, 6, 40)));
    EXPECT_FALSE(AreaSelectionGeometry::isLargeEnough(QRectF(10, 10, 40, 6)));
    EXPECT_TRUE(AreaSelectionGeometry::isLargeEnough(QRectF(10, 10, 7, 7)));
    // Guides need more than eighteen points each way.
    EXPECT_TRUE(AreaSelectionGeometry::showsGuides(QRectF(0, 0, 19, 19)));
    EXPECT_FALSE(AreaSelectionGeometry::showsGuides(QRectF(0, 0, 18, 100)));
    EXPECT_FALSE(AreaSelectionGeometry::showsGuides(QRectF(0, 0, 100, 18)));
}

TEST(AreaSelectionGeometry, GlobalRectangleIsMovedByTheScreenOriginAndClippedToIt)
{
    const QRectF screen(-1440, 200, 1440, 900);
    EXPECT_EQ(AreaSelectionGeometry::globalRect(QRectF(10, 10, 100, 50), screen), QRectF(-1430, 210, 100, 50));
    EXPECT_EQ(AreaSelectionGeometry::globalRect(QRectF(1400, 850, 100, 100), screen), QRectF(-40, 1050, 40, 50));
    EXPECT_EQ(AreaSelectionGeometry::globalRect(QRectF(2000, 10, 100, 50), screen), std::nullopt);
}

TEST(AreaSelectionGeometry, LabelSitsBelowTheSelectionButAboveTheScreenBottom)
{
    const QRectF high(120.7, 340.2, 800, 600);
    EXPECT_EQ(AreaSelectionGeometry::dimensionText(high), QStringLiteral("120, 340   \u2022   800 \u00D7 600"));
    EXPECT_EQ(AreaSelectionGeometry::labelBox(high, 180), QRectF(120.7, 306.2, 200, 28));
    // Near the bottom edge the label stops 8 points above it.
    EXPECT_EQ(AreaSelectionGeometry::labelBox(QRectF(5, 20, 50, 50), 100), QRectF(5, 8, 120, 28));
    EXPECT_EQ(AreaSelectionGeometry::labelBox(QRectF(5, 0, 50, 50), 100).y(), 8);
}

TEST(WindowSelectionGeometry, FrontWindowWinsWhereWindowsOverlap)
{
    const CapturableWindow front { 1, 10, QStringLiteral("Front"), QStringLiteral("A"), QRectF(0, 0, 400, 300) };
    const CapturableWindow back { 2, 20, QStringLiteral("Back"), QStringLiteral("B"), QRectF(200, 100, 400, 300) };
    const QList<CapturableWindow> windows { front, back };

    EXPECT_EQ(WindowSelectionGeometry::windowAt(windows, QPointF(300, 200)), front);
    EXPECT_EQ(WindowSelectionGeometry::windowAt(windows, QPointF(500, 350)), back);
    EXPECT_EQ(WindowSelectionGeometry::windowAt(windows, QPointF(700, 700)), std::nullopt);
    // A frame holds its left and bottom edges only.
    EXPECT_EQ(WindowSelectionGeometry::windowAt(windows, QPointF(0, 0)), front);
    EXPECT_EQ(WindowSelectionGeometry::windowAt(windows, QPointF(400, 150)), back);
    EXPECT_EQ(WindowSelectionGeometry::windowAt({ front }, QPointF(200, 300)), std::nullopt);
}

TEST(WindowSelectionGeometry, CaptionNamesTheWindowAndItsSizeAboveItButClearOfTheTop)
{
    CapturableWindow window { 1, std::nullopt, QStringLiteral("Files"), QStringLiteral("Downloads"), {} };
    EXPECT_EQ(WindowSelectionGeometry::displayName(window), QStringLiteral("Files - Downloads"));
    window.title.clear();
    EXPECT_EQ(WindowSelectionGeometry::displayName(window), QStringLiteral("Files"));
    EXPECT_EQ(WindowSelectionGeometry::sizeText(QRectF(0, 0, 400.9, 300.2)), QStringLiteral("400 \u00D7 300"));

    // The caption sits above the window but never nearer than six points to the top.
    const QSizeF view(1920, 1080);
    const auto low = WindowSelectionGeometry::caption(QRectF(100, 100, 400, 300), view, 180, 90);
    EXPECT_EQ(low.box, QRectF(100, 414, 208, 46));
    EXPECT_EQ(low.titleOrigin, QPointF(114, 436));
    EXPECT_EQ(low.detailOrigin, QPointF(114, 422));

    const auto high = WindowSelectionGeometry::caption(QRectF(100, 900, 400, 170), view, 60, 90);
    EXPECT_EQ(high.box, QRectF(100, 1028, 118, 46)) << "52 points below the top";
}

TEST(WindowSelectionGeometry, OverlayCoversTheUnionOfTheScreens)
{
    EXPECT_EQ(WindowSelectionGeometry::overlayFrame({ QRectF(0, 0, 1920, 1080), QRectF(-1440, 200, 1440, 900) }),
        QRectF(-1440, 0, 3360, 1100));
    EXPECT_TRUE(WindowSelectionGeometry::overlayFrame({}).isNull());
}
