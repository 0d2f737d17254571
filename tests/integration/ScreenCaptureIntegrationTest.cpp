#include "PrivateXvfb.h"
#include "TestWindow.h"

#include "fakes/FakeWindowSelection.h"
#include "fakes/TaskRunner.h"
#include "domain/PlatformError.h"
#include "engine/ScreenCaptureGeometry.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbFrontmostApplication.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbWindowList.h"
#include "services/ScreenshotService.h"
#include "services/SystemScreenshotTool.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <xcb/randr.h>
#include <xcb/xcbext.h>

#include <sys/uio.h>

#include <unistd.h>

namespace {

const QString toolPath = QStringLiteral(TROVIX_BINARY_DIR "/src/trovix-screencapture");

struct ToolRun {
    int exitCode = -1;
    QString errorText;
};

ToolRun runTool(const QStringList& arguments, const QString& display = qEnvironmentVariable("DISPLAY"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.start(toolPath, arguments);
    if (!process.waitForFinished(20000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError()) };
}

// Compares whole images and names the first differing pixel, which says more than a size.
testing::AssertionResult samePixels(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << ", expected "
                                           << expected.width() << "x" << expected.height();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if ((actual.pixel(x, y) & 0xffffff) != (expected.pixel(x, y) & 0xffffff))
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                   << actual.pixel(x, y) << ", expected " << expected.pixel(x, y);
        }
    }
    return testing::AssertionSuccess();
}

qsizetype indexOf(const QList<WindowListEntry>& entries, xcb_window_t id)
{
    const auto found = std::find_if(
        entries.cbegin(), entries.cend(), [&](const WindowListEntry& entry) { return entry.number == id; });
    return found == entries.cend() ? -1 : found - entries.cbegin();
}

std::optional<WindowListEntry> entryFor(const QList<WindowListEntry>& entries, xcb_window_t id)
{
    const qsizetype index = indexOf(entries, id);
    return index < 0 ? std::nullopt : std::optional(entries.at(index));
}

// The screenshot service on the real X server and the real tool; only the window picker is
// a fake, because it is a modal overlay.
struct RealCaptureStack {
    explicit RealCaptureStack(XcbConnection& connection)
        : screens(connection)
        , windowList(connection, screens)
        , frontmost(connection, windowList)
        , tool(toolPath, permission)
    { }

    XcbScreens screens;
    XcbWindowList windowList;
    XcbFrontmostApplication frontmost;
    X11ScreenCapturePermission permission;
    SystemScreenshotTool tool;
    FakeWindowSelection selection;
    ScreenshotService service { { screens, windowList, frontmost, permission, tool, selection, nullptr,
        QStringLiteral("trovix") } };
};

class ScreenCaptureOnX11 : public testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs an X server";
        ensureCoreApplication();
        m_connection = std::make_unique<XcbConnection>();
        ASSERT_TRUE(m_directory.isValid());
    }

    QString outputPath(const QString& name) const { return m_directory.filePath(name); }

    std::unique_ptr<XcbConnection> m_connection;
    QTemporaryDir m_directory;
};

TEST_F(ScreenCaptureOnX11, WindowListShowsWindowsFrontToBackWithTitlePidAndGlobalFrame)
{
    const TestWindow lower(*m_connection, QRect(150, 120, 320, 240), QStringLiteral("Lower"));
    const TestWindow upper(*m_connection, QRect(200, 160, 300, 200), QStringLiteral("Zrzut ekranu – górny"));
    XcbScreens screens(*m_connection);
    const QList<WindowListEntry> entries = XcbWindowList(*m_connection, screens).onScreenWindows();

    const std::optional<WindowListEntry> entry = entryFor(entries, upper.id());
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->title, QStringLiteral("Zrzut ekranu – górny"));
    EXPECT_EQ(entry->ownerPID, std::int32_t(getpid()));
    EXPECT_EQ(entry->ownerName, QStringLiteral("TrovixTest"));
    EXPECT_EQ(entry->applicationId, QStringLiteral("trovixtest"));
    EXPECT_EQ(entry->layer, 0);
    const QRect primary = screens.primaryGeometry();
    EXPECT_EQ(entry->frame, QRectF(200 - primary.x(), primary.bottom() + 1 - 160 - 200, 300, 200));

    ASSERT_GE(indexOf(entries, lower.id()), 0);
    EXPECT_LT(indexOf(entries, upper.id()), indexOf(entries, lower.id())) << "the window mapped last is in front";
}

TEST_F(ScreenCaptureOnX11, ToolCapturesAWindowsOwnPixelsAndARootRectangle)
{
    const TestWindow window(*m_connection, QRect(300, 250, 257, 190), QStringLiteral("Pattern"));

    const ToolRun windowRun = runTool({ QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"),
        QStringLiteral("png"), QStringLiteral("-l%1").arg(window.id()), outputPath(QStringLiteral("window.png")) });
    ASSERT_EQ(windowRun.exitCode, 0) << windowRun.errorText.toStdString();
    EXPECT_TRUE(samePixels(QImage(outputPath(QStringLiteral("window.png"))), window.expected(QRect(0, 0, 257, 190))));

    const ToolRun rectangleRun = runTool({ QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-R310,270,100,50"), outputPath(QStringLiteral("area.png")) });
    ASSERT_EQ(rectangleRun.exitCode, 0) << rectangleRun.errorText.toStdString();
    EXPECT_TRUE(samePixels(QImage(outputPath(QStringLiteral("area.png"))), window.expected(QRect(10, 20, 100, 50))));
}

TEST_F(ScreenCaptureOnX11, ToolFailuresExitNonZeroWithAReasonAndLeaveTheOutputAlone)
{
    const struct {
        const char* name;
        QStringList arguments;
        QString display;
        const char* reason;
    } cases[] = {
        { "outside every screen",
            { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-R30000,0,10,10") },
            {}, "outside every screen" },
        { "unknown window",
            { QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("png"),
                QStringLiteral("-l4194303") },
            {}, "no window with id 4194303" },
        { "no area", { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png") }, {}, "exactly one of" },
        { "zero width",
            { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-R0,0,0,10") }, {},
            "positive width" },
        { "other format",
            { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("jpg"), QStringLiteral("-R0,0,10,10") }, {},
            "only the png type" },
        { "no X server",
            { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-R0,0,10,10") },
            QStringLiteral(":4093"), "cannot open the X display" },
    };
    const QString output = outputPath(QStringLiteral("kept.png"));
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        QFile existing(output);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("earlier file");
        existing.close();

        const ToolRun run = testCase.display.isEmpty()
            ? runTool(testCase.arguments + QStringList { output })
            : runTool(testCase.arguments + QStringList { output }, testCase.display);
        EXPECT_GT(run.exitCode, 0);
        EXPECT_TRUE(run.errorText.contains(QLatin1String(testCase.reason))) << run.errorText.toStdString();
        ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
        EXPECT_EQ(existing.readAll(), QByteArray("earlier file"));
        existing.close();
    }
}

TEST_F(ScreenCaptureOnX11, ServiceCapturesAreasAndWindowsThroughTheTool)
{
    const TestWindow window(*m_connection, QRect(400, 90, 260, 180), QStringLiteral("Service target"));
    RealCaptureStack stack(*m_connection);
    const std::optional<Screen> screen = stack.screens.mainScreen();
    ASSERT_TRUE(screen.has_value());

    const std::optional<WindowListEntry> entry = entryFor(stack.windowList.onScreenWindows(), window.id());
    ASSERT_TRUE(entry && entry->frame);
    // An area of the window away from its vertical centre: a flipped row order would show.
    const QRectF area(entry->frame->x() + 20, entry->frame->bottom() - 40, 100, 30);
    const Image areaImage = runToCompletion(stack.service.capture(area, *screen));
    EXPECT_TRUE(samePixels(areaImage.pixels(), window.expected(QRect(20, 10, 100, 30))));

    const Image activeWindow = runToCompletion(stack.service.captureActiveWindow(std::int32_t(getpid())));
    EXPECT_TRUE(samePixels(activeWindow.pixels(), window.expected(QRect(0, 0, 260, 180))));

    stack.selection.choice = stack.service.capturableWindows().front();
    const Image chosen = runToCompletion(stack.service.captureUserSelectedWindow());
    EXPECT_TRUE(samePixels(chosen.pixels(), window.expected(QRect(0, 0, 260, 180))));
}

// Two monitors on one root: the primary one lower down and to the right, so neither the
// global origin nor the global y axis coincides with the root's.
class TwoScreenLayout : public testing::Test {
protected:
    static constexpr QRect left { 0, 0, 1600, 1500 };
    static constexpr QRect primary { 1600, 300, 1400, 900 };

    void SetUp() override
    {
        ensureCoreApplication();
        if (!m_server.isRunning())
            GTEST_SKIP() << "Xvfb could not be started";
        m_connection = std::make_unique<XcbConnection>(m_server.display().toLatin1().constData());
        setMonitors();
        m_previousDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", m_server.display().toLatin1());
    }
    void TearDown() override
    {
        if (m_connection)
            qputenv("DISPLAY", m_previousDisplay);
    }

    // Sent by hand: the SetMonitor request that this libxcb generates has a wrong length,
    // and the library drops the connection.
    void setMonitor(const char* name, const QRect& geometry, bool isPrimary, std::optional<xcb_randr_output_t> output)
    {
        struct {
            std::uint8_t major, minor;
            std::uint16_t length;
            std::uint32_t window;
        } header { 0, XCB_RANDR_SET_MONITOR, 0, m_connection->root() };
        xcb_randr_monitor_info_t info {};
        info.name = m_connection->atom(name);
        info.primary = isPrimary;
        info.nOutput = output ? 1 : 0;
        info.x = std::int16_t(geometry.x());
        info.y = std::int16_t(geometry.y());
        info.width = std::uint16_t(geometry.width());
        info.height = std::uint16_t(geometry.height());
        info.width_in_millimeters = std::uint32_t(geometry.width() / 4);
        info.height_in_millimeters = std::uint32_t(geometry.height() / 4);
        xcb_randr_output_t outputs[1] = { output.value_or(0) };
        iovec parts[5] {};
        parts[2] = { &header, sizeof header };
        parts[3] = { &info, sizeof info };
        parts[4] = { outputs, output ? sizeof outputs : 0 };
        xcb_protocol_request_t request { 3, &xcb_randr_id, XCB_RANDR_SET_MONITOR, 1 };
        const xcb_void_cookie_t cookie { xcb_send_request(
            m_connection->get(), XCB_REQUEST_CHECKED, parts + 2, &request) };
        xcb_generic_error_t* error = xcb_request_check(m_connection->get(), cookie);
        EXPECT_EQ(error, nullptr) << "RandR refused the monitor " << name;
        std::free(error);
    }

    // The server's one output is given to the primary monitor, which retires the automatic
    // monitor that would otherwise cover the whole root.
    void setMonitors()
    {
        const auto resources = m_connection->reply(xcb_randr_get_screen_resources_current_reply,
            xcb_randr_get_screen_resources_current(m_connection->get(), m_connection->root()));
        ASSERT_TRUE(resources && xcb_randr_get_screen_resources_current_outputs_length(resources.get()) > 0);
        const xcb_randr_output_t output = xcb_randr_get_screen_resources_current_outputs(resources.get())[0];
        setMonitor("LEFT", left, false, std::nullopt);
        setMonitor("MAIN", primary, true, output);
    }

    PrivateXvfb m_server { QSize(3000, 1500) };
    std::unique_ptr<XcbConnection> m_connection;
    QByteArray m_previousDisplay;
};

TEST_F(TwoScreenLayout, ScreensAreInGlobalPointsAroundThePrimaryOne)
{
    const QList<Screen> screens = XcbScreens(*m_connection).screens();
    ASSERT_EQ(screens.size(), 2);
    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.name.toStdString());
        if (screen.name == QStringLiteral("MAIN")) {
            EXPECT_EQ(screen.frame, QRectF(0, 0, 1400, 900));
            EXPECT_EQ(screen.nativeGeometry, primary);
        } else {
            EXPECT_EQ(screen.frame, QRectF(-1600, -300, 1600, 1500));
            EXPECT_EQ(screen.nativeGeometry, left);
        }
    }
    EXPECT_EQ(XcbScreens(*m_connection).mainScreen()->name, QStringLiteral("MAIN"));
}

TEST_F(TwoScreenLayout, AreasAndWindowsOnEitherScreenAreCapturedPixelExact)
{
    const TestWindow onPrimary(*m_connection, QRect(1700, 320, 300, 200), QStringLiteral("Top of the main screen"));
    const TestWindow onLeft(*m_connection, QRect(100, 1250, 280, 200), QStringLiteral("Bottom of the left screen"));
    RealCaptureStack stack(*m_connection);
    const QList<WindowListEntry> entries = stack.windowList.onScreenWindows();

    const struct {
        const TestWindow& window;
        QRectF globalFrame;
    } cases[] = {
        { onPrimary, QRectF(100, 1200 - 320 - 200, 300, 200) },
        { onLeft, QRectF(-1500, 1200 - 1250 - 200, 280, 200) },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.window.geometry().x());
        const std::optional<WindowListEntry> entry = entryFor(entries, testCase.window.id());
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->frame, testCase.globalFrame);

        const Screen screen = *stack.service.screenContainingLargestArea(testCase.globalFrame);
        const QRectF upperPart(testCase.globalFrame.x() + 30, testCase.globalFrame.bottom() - 60, 120, 40);
        const Image image = runToCompletion(stack.service.capture(upperPart, screen));
        EXPECT_TRUE(samePixels(image.pixels(), testCase.window.expected(QRect(30, 20, 120, 40))));

        const ToolRun run
            = runTool({ QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("png"),
                          QStringLiteral("-l%1").arg(testCase.window.id()), QStringLiteral("/dev/null") },
                m_server.display());
        EXPECT_EQ(run.exitCode, 0) << run.errorText.toStdString();
    }
}

} // namespace
