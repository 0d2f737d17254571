// The selection overlays on a real X server, driven with xdotool: drags, clicks and Esc on
// the area overlay, hovering and clicking on the window overlay.
#include "XDriving.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbScreens.h"
#include "ui/capture/AreaSelectionOverlay.h"
#include "ui/capture/AreaSelectionView.h"
#include "ui/capture/WindowSelectionOverlay.h"
#include "ui/capture/WindowSelectionView.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>

using namespace XDriving;

namespace {

// The root pixel of a point in a screen's view (bottom-left origin, one pixel per point).
QPoint rootPoint(const Screen& screen, QPointF view)
{
    const QRect native = screen.nativeGeometry;
    return { native.x() + int(view.x()), native.y() + native.height() - int(view.y()) };
}

class AreaSelectionIntegration : public testing::Test {
protected:
    // Shows the overlay on `screen`, plays the xdotool script, and returns what it selected.
    std::optional<std::optional<QRectF>> select(const Screen& screen, const QStringList& script)
    {
        // Without a picture the overlay dims its screen as a plain cover; the geometry is the same.
        auto outcome = start(overlay.selectArea(FrozenScreen { screen, Image() }));
        if (!waitForOverlay<AreaSelectionView>()) {
            ADD_FAILURE() << "the overlay never took the keyboard";
            finishOrEscape(outcome, 0);
            return std::nullopt;
        }
        EXPECT_TRUE(xdotool(script)) << script.join(QLatin1Char(' ')).toStdString();
        if (!finishOrEscape(outcome)) {
            ADD_FAILURE() << "the overlay did not finish";
            return std::nullopt;
        }
        EXPECT_FALSE(readyOverlay<AreaSelectionView>()) << "the overlay is gone afterwards";
        return outcome->value;
    }

    XcbConnection connection;
    XcbScreens screens { connection, 1.0 };
    AreaSelectionOverlay overlay;
};

} // namespace

TEST_F(AreaSelectionIntegration, ClicksTinyDragsAndEscCancel)
{
    const Screen screen = *screens.mainScreen();
    const QPoint start = rootPoint(screen, { 500, 500 });
    const std::pair<const char*, QStringList> scripts[] = {
        { "6 x 40 drag", dragArguments(start, rootPoint(screen, { 506, 460 })) },
        { "click", clickAt(start) },
        { "Esc", { QStringLiteral("key"), QStringLiteral("Escape") } },
    };
    for (const auto& [name, script] : scripts) {
        SCOPED_TRACE(name);
        const auto result = select(screen, script);
        ASSERT_TRUE(result);
        EXPECT_EQ(*result, std::nullopt);
    }
}

// A move repaints only what the crosshair, the selection and its label covered: what the
// screen shows mid-drag must be what a full repaint draws, without trails of the larger
// selection the drag passed through.
TEST_F(AreaSelectionIntegration, ADragLeavesNoTrailOverTheFrozenPicture)
{
    const Screen screen = *screens.mainScreen();
    QImage pattern(screen.nativeGeometry.size(), QImage::Format_RGB32);
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x)
            pattern.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) * 3 % 256));
    // Readied beforehand as a capture does: its first paint dims straight into the window.
    overlay.prepare(screen);
    auto outcome = start(overlay.selectArea(FrozenScreen { screen, Image(pattern) }));
    AreaSelectionView* view = waitForOverlay<AreaSelectionView>();
    ASSERT_NE(view, nullptr);
    QStringList script { QStringLiteral("mousemove"), QStringLiteral("--sync") };
    const auto at = [&](QPointF point) {
        const QPoint root = rootPoint(screen, point);
        return QStringList { QString::number(root.x()), QString::number(root.y()) };
    };
    script += at({ 100, 100 });
    script += QStringList { QStringLiteral("mousedown"), QStringLiteral("1") };
    for (const QPointF point : { QPointF(500, 420), QPointF(300, 250), QPointF(330, 180) }) {
        script += QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove") };
        script += at(point);
    }
    ASSERT_TRUE(xdotool(script));
    QTest::qWait(400);
    const QImage shown = view->screen()->grabWindow(0).toImage();
    view->repaint();
    QTest::qWait(200);
    const QImage repainted = view->screen()->grabWindow(0).toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_TRUE(shown == repainted) << "a region the drag left still shows an old selection or crosshair";

    EXPECT_TRUE(xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") }));
    ASSERT_TRUE(finishOrEscape(outcome));
    ASSERT_TRUE(outcome->value);
    EXPECT_EQ(*outcome->value, QRectF(screen.frame.x() + 100, screen.frame.y() + 100, 230, 80));
}

namespace {

class WindowSelectionIntegration : public testing::Test {
protected:
    // Global points of the primary screen's view; on the root screen they map one to one.
    QPoint rootOf(QPointF global) const
    {
        const QRect primary = screens.mainScreen()->nativeGeometry;
        return { primary.x() + int(global.x()), primary.y() + primary.height() - int(global.y()) };
    }

    [[nodiscard]] QList<FrozenScreen> coveredScreens() const
    {
        QList<FrozenScreen> covered;
        for (const Screen& screen : screens.screens())
            covered.append({ screen, Image() });
        return covered;
    }

    XcbConnection connection;
    XcbScreens screens { connection, 1.0 };
    WindowSelectionOverlay overlay;
    const CapturableWindow front { 11, 100, QStringLiteral("Front"), QStringLiteral("Notes"),
        QRectF(100, 300, 400, 300) };
    const CapturableWindow back { 12, 200, QStringLiteral("Back"), QString(), QRectF(300, 200, 400, 300) };
};

} // namespace

TEST_F(WindowSelectionIntegration, FrontWindowOfTwoOverlappingOnesIsHighlightedAndPickedByTheLeftButtonOnly)
{
    auto outcome = start(overlay.selectWindow({ front, back }, coveredScreens()));
    WindowSelectionView* view = waitForOverlay<WindowSelectionView>();
    ASSERT_TRUE(view);

    // Only the back window lies here.
    ASSERT_TRUE(xdotool(moveTo(rootOf({ 650, 250 }))));
    EXPECT_TRUE(waitUntil([&] { return view->hoveredWindowID() == back.id; }, 3000));
    // Both lie here.
    ASSERT_TRUE(xdotool(moveTo(rootOf({ 400, 400 }))));
    EXPECT_TRUE(waitUntil([&] { return view->hoveredWindowID() == front.id; }, 3000));

    for (const char* button : { "3", "2" })
        ASSERT_TRUE(xdotool({ QStringLiteral("click"), QString::fromLatin1(button) }));
    EXPECT_FALSE(waitUntil([&] { return outcome->done; }, 500)) << "right and middle clicks change nothing";
    ASSERT_TRUE(xdotool({ QStringLiteral("click"), QStringLiteral("1") }));
    ASSERT_TRUE(finishOrEscape(outcome));
    EXPECT_EQ(outcome->value, std::optional(front));
}
