#include "services/ScreenshotService.h"

#include "domain/ScreenshotError.h"
#include "engine/ImageIOService.h"
#include "fakes/FakeFrontmostApplication.h"
#include "fakes/FakeScreenCapturePermission.h"
#include "fakes/FakeScreenFreeze.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeScreenshotTool.h"
#include "fakes/FakeWindowList.h"
#include "fakes/FakeWindowSelection.h"
#include "fakes/TaskRunner.h"
#include "ports/WindowCapturePort.h"

#include <gtest/gtest.h>

namespace {

using Code = ScreenshotError::Code;

const Screen leftScreen { QStringLiteral("left"), QRectF(-1000, 0, 1000, 800), {}, 1.0, QRect(0, 100, 1000, 800) };
const Screen mainScreen { QStringLiteral("main"), QRectF(0, 0, 1920, 1080), {}, 1.0, QRect(1000, 0, 1920, 1080) };

WindowListEntry window(std::int64_t number, std::int32_t pid, QRectF frame)
{
    WindowListEntry entry;
    entry.number = number;
    entry.ownerPID = pid;
    entry.ownerName = QStringLiteral("Editor");
    entry.title = QStringLiteral("Window %1").arg(number);
    entry.frame = frame;
    entry.applicationId = QStringLiteral("editor");
    return entry;
}

class ScreenshotServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        screens.screenList = { leftScreen, mainScreen };
        screens.main = mainScreen;
        QImage red(4, 2, QImage::Format_RGB32);
        red.fill(Qt::red);
        tool.output = ImageIOService::pngData(Image(red));
    }

    Code failureOf(QCoro::Task<Image> task)
    {
        try {
            runToCompletion(std::move(task));
        } catch (const ScreenshotError& error) {
            return error.code();
        }
        ADD_FAILURE() << "the capture did not fail";
        return Code::captureFailed;
    }

    FakeScreens screens;
    FakeWindowList windowList;
    FakeFrontmostApplication frontmost;
    FakeScreenCapturePermission permission;
    FakeScreenshotTool tool;
    FakeWindowSelection selection;
    FakeScreenFreeze freeze;
    ScreenshotService service { { screens, windowList, frontmost, permission, tool, selection, freeze, nullptr,
        QStringLiteral("trovix") } };
};

TEST_F(ScreenshotServiceTest, CapturableWindowsKeepOnlyOrdinaryVisibleWindowsOfOtherApplications)
{
    const QRectF frame(0, 0, 400, 300);
    const struct {
        const char* name;
        std::function<void(WindowListEntry&)> change;
        bool kept;
    } cases[] = {
        { "ordinary window", [](WindowListEntry&) {}, true },
        { "exactly 120 x 80", [](WindowListEntry& e) { e.frame = QRectF(5, 5, 120, 80); }, true },
        { "119 wide", [](WindowListEntry& e) { e.frame = QRectF(5, 5, 119, 80); }, false },
        { "79 high", [](WindowListEntry& e) { e.frame = QRectF(5, 5, 120, 79); }, false },
        { "alpha 0.01", [](WindowListEntry& e) { e.alpha = 0.01; }, false },
        { "alpha 0.02", [](WindowListEntry& e) { e.alpha = 0.02; }, true },
        { "floating layer", [](WindowListEntry& e) { e.layer = 3; }, false },
        { "not shared", [](WindowListEntry& e) { e.sharingState = 0; }, false },
        { "shared", [](WindowListEntry& e) { e.sharingState = 1; }, true },
        { "our own window", [](WindowListEntry& e) { e.applicationId = QStringLiteral("trovix"); }, false },
        { "no number", [](WindowListEntry& e) { e.number.reset(); }, false },
        { "negative number", [](WindowListEntry& e) { e.number = -1; }, false },
        { "number beyond 32 bits", [](WindowListEntry& e) { e.number = std::int64_t(1) << 32; }, false },
        { "largest 32-bit number", [](WindowListEntry& e) { e.number = 0xffffffffLL; }, true },
        { "no frame", [](WindowListEntry& e) { e.frame.reset(); }, false },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        WindowListEntry entry = window(7, 42, frame);
        testCase.change(entry);
        windowList.entries = { entry };
        EXPECT_EQ(service.capturableWindows().size(), testCase.kept ? 1 : 0);
    }
}

TEST_F(ScreenshotServiceTest, WithoutAnIdentifierOfOurOwnWindowsWithoutOneAreDropped)
{
    ScreenshotService anonymousService { { screens, windowList, frontmost, permission, tool, selection, freeze, nullptr,
        std::nullopt } };
    WindowListEntry unidentified = window(1, 1, QRectF(0, 0, 400, 300));
    unidentified.applicationId.reset();
    windowList.entries = { unidentified, window(2, 1, QRectF(0, 0, 400, 300)) };
    const QList<CapturableWindow> identified = anonymousService.capturableWindows();
    ASSERT_EQ(identified.size(), 1);
    EXPECT_EQ(identified.front().id, 2u);
}

TEST_F(ScreenshotServiceTest, LargestOverlapChoosesTheScreenAndTiesGoToTheEarlierOneOfTheDesktop)
{
    const struct {
        const char* name;
        QRectF rect;
        const char* expected;
    } cases[] = { { "mostly on the main screen", QRectF(-100, 0, 300, 100), "main" },
        { "equal halves", QRectF(-100, 0, 200, 100), "left" }, { "on no screen", QRectF(5000, 5000, 10, 10), "left" } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::optional<Screen> screen = service.screenContainingLargestArea(testCase.rect);
        ASSERT_TRUE(screen.has_value());
        EXPECT_EQ(screen->name.toStdString(), testCase.expected);
    }
    screens.screenList.clear();
    EXPECT_FALSE(service.screenContainingLargestArea(QRectF(0, 0, 10, 10)).has_value());
}

TEST_F(ScreenshotServiceTest, ActiveScreenFollowsTheTargetWindowThenTheMouseThenTheMainScreen)
{
    windowList.entries = { window(1, 50, QRectF(10, 10, 300, 200)), window(2, 60, QRectF(-900, 10, 300, 200)),
        window(3, 60, QRectF(100, 10, 300, 200)) };
    screens.mouse = QPointF(-500, 400);

    EXPECT_EQ(service.activeScreen(60).name, QStringLiteral("left")) << "the front window of the target decides";
    EXPECT_EQ(service.activeScreen(50).name, QStringLiteral("main"));
    EXPECT_EQ(service.activeScreen(99).name, QStringLiteral("left")) << "a target without windows: the mouse decides";
    EXPECT_EQ(service.activeScreen(std::nullopt).name, QStringLiteral("left"));

    screens.mouse = QPointF(0, 1080); // on the top edge: outside the main screen's frame
    EXPECT_EQ(service.activeScreen(std::nullopt).name, QStringLiteral("main"));
    screens.main.reset();
    EXPECT_EQ(service.activeScreen(std::nullopt).name, QStringLiteral("left"));
    screens.screenList.clear();
    try {
        (void)service.activeScreen(std::nullopt);
        ADD_FAILURE() << "no screen, yet one was found";
    } catch (const ScreenshotError& error) {
        EXPECT_EQ(error.code(), Code::screenUnavailable);
    }
}

TEST_F(ScreenshotServiceTest, AreasAreCutFromTheFrozenPictureAtItsDensity)
{
    QImage pixels(2000, 1600, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(x & 0xff, y & 0xff, (x >> 8) * 16 + (y >> 8)));
    const FrozenScreen frozen { leftScreen, Image(pixels, leftScreen.frame.size()) };
    // Rounded outward and clipped to the screen.
    const Image cut = ScreenshotService::cutFromFrozen(frozen, QRectF(-989.6, 750, 5.2, 100));
    EXPECT_EQ(cut.pixels(), pixels.copy(QRect(20, 0, 12, 100)));
    EXPECT_EQ(cut.size(), QSizeF(6, 50));
    try {
        (void)ScreenshotService::cutFromFrozen(frozen, QRectF(5000, 0, 10, 10));
        ADD_FAILURE() << "a rectangle off the screen was cut";
    } catch (const ScreenshotError& error) {
        EXPECT_EQ(error.code(), Code::captureFailed);
    }
}

TEST_F(ScreenshotServiceTest, CaptureFailuresAndTheirOrder)
{
    EXPECT_EQ(failureOf(service.capture(QRectF(5000, 0, 10, 10), mainScreen)), Code::captureFailed);
    permission.granted = false;
    EXPECT_EQ(failureOf(service.capture(QRectF(5000, 0, 10, 10), mainScreen)), Code::captureFailed)
        << "a rectangle off the screen fails before the permission is asked for";
    EXPECT_EQ(permission.requests, 0);

    EXPECT_EQ(failureOf(service.capture(QRectF(0, 0, 10, 10), mainScreen)), Code::permissionDenied);
    EXPECT_EQ(failureOf(service.captureMainDisplay(std::nullopt)), Code::permissionDenied);
    EXPECT_EQ(permission.requests, 2);
    EXPECT_TRUE(tool.runs.isEmpty());

    permission.granted = true;
    tool.output = QByteArray("not a picture");
    EXPECT_EQ(failureOf(service.capture(QRectF(0, 0, 10, 10), mainScreen)), Code::captureFailed);
    tool.failure = [] { throw ScreenshotError(Code::permissionDenied); };
    EXPECT_EQ(failureOf(service.capture(QRectF(0, 0, 10, 10), mainScreen)), Code::permissionDenied)
        << "the tool's own errors pass through";
    // Without a backend that leaves our windows out, such a capture is refused before the tool runs.
    tool.runs.clear();
    EXPECT_EQ(failureOf(service.captureExcludingCurrentApp(QRectF(0, 0, 10, 10), mainScreen)), Code::captureFailed);
    EXPECT_TRUE(tool.runs.isEmpty());
}

TEST_F(ScreenshotServiceTest, WindowCapturesTakeThePickedWindowOrTheFrontWindowOfTheTargetOrTheFrontmostApplication)
{
    EXPECT_EQ(failureOf(service.captureUserSelectedWindow()), Code::captureFailed);
    EXPECT_TRUE(selection.offered.isEmpty()) << "no overlay without windows";

    windowList.entries = { window(21, 50, QRectF(0, 0, 300, 200)), window(22, 50, QRectF(0, 0, 300, 200)) };
    EXPECT_EQ(failureOf(service.captureUserSelectedWindow()), Code::cancelled);
    ASSERT_EQ(selection.offered.size(), 1);
    EXPECT_EQ(selection.offered.front().size(), 2);

    // The pictures under the picker need the permission already.
    permission.granted = false;
    selection.choice = service.capturableWindows().at(1);
    EXPECT_EQ(failureOf(service.captureUserSelectedWindow()), Code::permissionDenied);
    EXPECT_EQ(selection.offered.size(), 1);
    EXPECT_TRUE(tool.runs.isEmpty());

    permission.granted = true;
    windowList.entries = { window(11, 50, QRectF(0, 0, 300, 200)), window(12, 60, QRectF(0, 0, 300, 200)),
        window(13, 60, QRectF(0, 0, 300, 200)) };

    frontmost.frontmost = RunningApplication { 50, QStringLiteral("editor"), QStringLiteral("Editor") };
    runToCompletion(service.captureActiveWindow(60));
    runToCompletion(service.captureActiveWindow(std::nullopt));
    ASSERT_EQ(tool.runs.size(), 2);
    EXPECT_EQ(tool.runs.at(0).last(), QStringLiteral("-l12"));
    EXPECT_EQ(tool.runs.at(1).last(), QStringLiteral("-l11"));

    EXPECT_EQ(failureOf(service.captureActiveWindow(99)), Code::captureFailed);
    frontmost.frontmost.reset();
    EXPECT_EQ(failureOf(service.captureActiveWindow(std::nullopt)), Code::captureFailed);
    EXPECT_EQ(tool.runs.size(), 2);
}

// A Wayland session: the tool and the window list see only XWayland, so rectangles come from
// a picture of their screen and windows from the desktop's own dialog.
class DesktopDialogCapture : public WindowCapturePort {
public:
    int calls = 0;
    QCoro::Task<Image> captureChosenWindow() override
    {
        ++calls;
        QImage pixels(6, 4, QImage::Format_RGB32);
        pixels.fill(Qt::blue);
        co_return Image(pixels);
    }
};

TEST_F(ScreenshotServiceTest, WaylandSessionsCutRectanglesFromScreenPicturesAndAskTheDesktopForWindows)
{
    DesktopDialogCapture dialog;
    ScreenshotService wayland { { screens, windowList, frontmost, permission, tool, selection, freeze, nullptr,
        QStringLiteral("trovix"), true, &dialog } };
    QImage pixels(3840, 2160, QImage::Format_RGB32);
    pixels.fill(Qt::black);
    pixels.setPixel(2 * 100, 2 * (1080 - 50 - 20), qRgb(1, 2, 3));
    freeze.picture = Image(pixels, QSizeF(1920, 1080));

    // Bottom-left origin: the 20-point-high rectangle at y 50 ends 1080 - 70 points from the top.
    const Image cut = runToCompletion(wayland.capture(QRectF(100, 50, 30, 20), mainScreen));
    EXPECT_EQ(cut.size(), QSizeF(30, 20));
    EXPECT_EQ(cut.pixels().size(), QSize(60, 40));
    EXPECT_EQ(cut.pixels().pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_TRUE(tool.runs.isEmpty());
    ASSERT_EQ(freeze.requests.size(), 1);
    EXPECT_EQ(freeze.requests.front().front(), mainScreen);

    windowList.entries = { window(21, 50, QRectF(0, 0, 300, 200)) };
    EXPECT_EQ(runToCompletion(wayland.captureUserSelectedWindow()).pixels().size(), QSize(6, 4));
    EXPECT_EQ(runToCompletion(wayland.captureActiveWindow(50)).pixels().size(), QSize(6, 4));
    EXPECT_EQ(dialog.calls, 2);
    EXPECT_TRUE(selection.offered.isEmpty()) << "no overlay of XWayland's windows";

    permission.granted = false;
    EXPECT_EQ(failureOf(wayland.captureUserSelectedWindow()), Code::permissionDenied);
    EXPECT_EQ(dialog.calls, 2);
    EXPECT_TRUE(tool.runs.isEmpty());
}

} // namespace
