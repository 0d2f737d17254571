#include "MonitorLayout.h"
#include "PrivateXvfb.h"
#include "TestWindow.h"
#include "X11CaptureStack.h"
#include "XDriving.h"

#include "fakes/TaskRunner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using XDriving::samePicture;

namespace {

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
    process.start(screenCaptureToolPath, arguments);
    if (!process.waitForFinished(20000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError()) };
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
    EXPECT_TRUE(samePicture(QImage(outputPath(QStringLiteral("window.png"))), window.expected(QRect(0, 0, 257, 190))));

    const ToolRun rectangleRun = runTool({ QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-R310,270,100,50"), outputPath(QStringLiteral("area.png")) });
    ASSERT_EQ(rectangleRun.exitCode, 0) << rectangleRun.errorText.toStdString();
    EXPECT_TRUE(samePicture(QImage(outputPath(QStringLiteral("area.png"))), window.expected(QRect(10, 20, 100, 50))));
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
    X11CaptureStack stack(*m_connection);
    const std::optional<Screen> screen = stack.screens.mainScreen();
    ASSERT_TRUE(screen.has_value());

    const std::optional<WindowListEntry> entry = entryFor(stack.windowList.onScreenWindows(), window.id());
    ASSERT_TRUE(entry && entry->frame);
    // An area of the window away from its vertical centre: a flipped row order would show.
    const QRectF area(entry->frame->x() + 20, entry->frame->bottom() - 40, 100, 30);
    const Image areaImage = runToCompletion(stack.service.capture(area, *screen));
    EXPECT_TRUE(samePicture(areaImage.pixels(), window.expected(QRect(20, 10, 100, 30))));

    const Image activeWindow = runToCompletion(stack.service.captureActiveWindow(std::int32_t(getpid())));
    EXPECT_TRUE(samePicture(activeWindow.pixels(), window.expected(QRect(0, 0, 260, 180))));

    stack.selection.choice = stack.service.capturableWindows().front();
    const Image chosen = runToCompletion(stack.service.captureUserSelectedWindow());
    EXPECT_TRUE(samePicture(chosen.pixels(), window.expected(QRect(0, 0, 260, 180))));
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
        m_layout = std::make_unique<MonitorLayout>(*m_connection,
            std::vector<MonitorLayout::Monitor> { { "LEFT", left, false, false }, { "MAIN", primary, true, true } });
        ASSERT_TRUE(m_layout->isReady()) << "RandR refused the monitors";
        m_previousDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", m_server.display().toLatin1());
    }
    void TearDown() override
    {
        if (m_connection)
            qputenv("DISPLAY", m_previousDisplay);
    }

    PrivateXvfb m_server { QSize(3000, 1500) };
    std::unique_ptr<XcbConnection> m_connection;
    std::unique_ptr<MonitorLayout> m_layout;
    QByteArray m_previousDisplay;
};

TEST_F(TwoScreenLayout, AreasAndWindowsOnEitherScreenAreCapturedPixelExact)
{
    const TestWindow onPrimary(*m_connection, QRect(1700, 320, 300, 200), QStringLiteral("Top of the main screen"));
    const TestWindow onLeft(*m_connection, QRect(100, 1250, 280, 200), QStringLiteral("Bottom of the left screen"));
    X11CaptureStack stack(*m_connection);
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
        EXPECT_TRUE(samePicture(image.pixels(), testCase.window.expected(QRect(30, 20, 120, 40))));

        const ToolRun run
            = runTool({ QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("png"),
                          QStringLiteral("-l%1").arg(testCase.window.id()), QStringLiteral("/dev/null") },
                m_server.display());
        EXPECT_EQ(run.exitCode, 0) << run.errorText.toStdString();
        // The tool writes through a device; renaming a file over it would break the machine.
        struct stat status { };
        ASSERT_EQ(::stat("/dev/null", &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
}

} // namespace
