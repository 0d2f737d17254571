// The real trovix binary on a desktop of its own (a private X server with the Openbox
// window manager): global shortcuts, capture, Esc to the clipboard, settings read at
// start, and one instance per session.
#include "PrivateXvfb.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

using namespace std::chrono_literals;

const QSize s_screenSize(1280, 800);

// Polls until the condition holds or the time runs out; the event loop keeps running.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return condition();
}

// Every pixel differs from its neighbours, so a picture taken one pixel off shows.
QImage distinctPattern(QSize size)
{
    QImage pattern(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pattern.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4 | (y >> 8)) & 0xff);
    }
    return pattern;
}

// A private X server with an EWMH window manager and a known picture on the root window.
class DesktopSession {
public:
    DesktopSession()
        : m_server(s_screenSize)
        , m_pattern(distinctPattern(s_screenSize))
    {
        if (!m_server.isRunning())
            return;
        m_environment.insert(QStringLiteral("DISPLAY"), m_server.display());
        // A session bus shared with other programs could hand our launches to their Trovix;
        // a test that wants a bus brings its own.
        m_environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
        m_ready = waitUntil(
            [this] {
                return run(
                    QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
                    .contains("window id");
            },
            20s);
        const QString patternFile = m_files.filePath(QStringLiteral("pattern.png"));
        m_ready = m_ready && m_pattern.save(patternFile)
            && run(QStringLiteral("display"), { QStringLiteral("-window"), QStringLiteral("root"), patternFile }, 20000)
                   .isEmpty();
    }
    ~DesktopSession()
    {
        m_windowManager.terminate();
        m_windowManager.waitForFinished(3000);
    }

    [[nodiscard]] bool isReady() const { return m_ready; }
    [[nodiscard]] const QImage& pattern() const { return m_pattern; }
    [[nodiscard]] const QProcessEnvironment& environment() const { return m_environment; }

    // Runs a helper program on this desktop to its end, within a bound; gives its output.
    QByteArray run(const QString& program, const QStringList& arguments, int timeoutMilliseconds = 10000) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
        process.start(program, arguments);
        loop.exec();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        return process.readAllStandardOutput();
    }

    void press(const QString& keys) const { run(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }); }

    [[nodiscard]] QStringList visibleWindowsNamed(const QString& name) const
    {
        return QString::fromUtf8(run(QStringLiteral("xdotool"),
                                     { QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QLatin1Char('^') + name + QLatin1Char('$') }))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The windows a taskbar lists: every managed client, shown or minimized.
    [[nodiscard]] bool isInClientList(const QString& decimalWindowId) const
    {
        const QString hex = QStringLiteral("0x") + QString::number(decimalWindowId.toULongLong(), 16);
        const QString list = QString::fromUtf8(
            run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST") }));
        return list.split(QRegularExpression(QStringLiteral("[\\s,#]+"))).contains(hex);
    }

    [[nodiscard]] bool editorIsVisible() const { return !visibleWindowsNamed(QStringLiteral("Trovix")).isEmpty(); }

    [[nodiscard]] QImage pastedPng() const
    {
        return QImage::fromData(run(QStringLiteral("xclip"),
                                    { QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                        QStringLiteral("image/png"), QStringLiteral("-o") },
                                    3000),
            "PNG");
    }

    // False when no editor is on the screen.
    bool pressEscapeInEditor() const
    {
        const QStringList windows = visibleWindowsNamed(QStringLiteral("Trovix"));
        if (windows.isEmpty())
            return false;
        run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), QStringLiteral("--sync"), windows.front() });
        press(QStringLiteral("Escape"));
        return true;
    }

    // Esc in the editor copies what it shows and hides it: gives the pasted picture, or a
    // null image when the editor did not show a capture within the time.
    [[nodiscard]] QImage escapeAndPaste(std::chrono::milliseconds limit) const
    {
        QImage pasted;
        waitUntil(
            [&] {
                if (!pressEscapeInEditor())
                    return false;
                pasted = pastedPng();
                return !pasted.isNull();
            },
            limit);
        return pasted;
    }

    void drag(QPoint from, QPoint to) const
    {
        const auto at = [](QPoint point) {
            return QStringList { QString::number(point.x()), QString::number(point.y()) };
        };
        const QPoint middle = (from + to) / 2;
        run(QStringLiteral("xdotool"),
            QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(from)
                + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousedown"),
                    QStringLiteral("1"), QStringLiteral("mousemove"), QStringLiteral("--sync") }
                + at(middle)
                + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove"),
                    QStringLiteral("--sync") }
                + at(to)
                + QStringList {
                    QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mouseup"), QStringLiteral("1") });
    }

private:
    PrivateXvfb m_server;
    QImage m_pattern;
    QTemporaryDir m_files;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QProcess m_windowManager;
    bool m_ready = false;
};

// One run of the trovix binary on the session, with its settings under configFolder.
class Trovix {
public:
    // Kept errors are read by the test (with the capture log on) instead of being shown.
    enum class Errors { shown, kept };

    Trovix(const DesktopSession& session, const QString& configFolder, const QString& busAddress = {},
        Errors errors = Errors::shown)
    {
        QProcessEnvironment environment = session.environment();
        if (!busAddress.isEmpty())
            environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        if (errors == Errors::kept)
            environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("trovix.capture.debug=true"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(
            errors == Errors::kept ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), {});
    }
    ~Trovix()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

// A session bus of the test's own, so that the name Trovix takes is free and nobody else's.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateSessionBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(3000);
    }
    [[nodiscard]] const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

void storeSetting(const QString& configFolder, const QString& key, const QJsonValue& value)
{
    const QString path = configFolder + QStringLiteral("/trovix/settings.json");
    QFile file(path);
    QJsonObject settings;
    if (file.open(QIODevice::ReadOnly))
        settings = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    settings.insert(key, value);
    ASSERT_TRUE(QDir().mkpath(configFolder + QStringLiteral("/trovix")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(settings).toJson());
}

class ApplicationEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        session = std::make_unique<DesktopSession>();
        ASSERT_TRUE(session->isReady()) << "Xvfb, Openbox and the root picture are set up";
    }

    void waitForEditor()
    {
        ASSERT_TRUE(waitUntil([this] { return session->editorIsVisible(); }, 60s)) << "the editor appears";
    }

    std::unique_ptr<DesktopSession> session;
    QTemporaryDir config;
};

} // namespace

TEST_F(ApplicationEndToEnd, ShortcutsCaptureTheScreenAndAnAreaAndEscapeCopiesThem)
{
    Trovix trovix(*session, config.path());
    waitForEditor();

    // A second launch hands over to the running instance and ends.
    QProcess second;
    second.setProcessEnvironment(trovix.process().processEnvironment());
    second.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), {});
    ASSERT_TRUE(waitUntil([&] { return second.state() == QProcess::NotRunning; }, 60s));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(trovix.process().state(), QProcess::Running);

    session->press(QStringLiteral("ctrl+alt+5"));
    const QImage screen = session->escapeAndPaste(90s);
    ASSERT_FALSE(screen.isNull()) << "Esc put the screen capture on the clipboard";
    EXPECT_EQ(screen.size(), s_screenSize) << "the paste is the whole screen";
    EXPECT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the editor";

    session->press(QStringLiteral("ctrl+alt+2"));
    ASSERT_TRUE(
        waitUntil([this] { return !session->visibleWindowsNamed(QStringLiteral("Select an Area")).isEmpty(); }, 30s))
        << "the area overlay covers the screen";
    const QRect area(QPoint(150, 120), QSize(320, 240));
    session->drag(area.topLeft(), area.topLeft() + QPoint(area.width(), area.height()));
    const QImage pasted = session->escapeAndPaste(60s);
    ASSERT_FALSE(pasted.isNull()) << "Esc put the area capture on the clipboard";
    ASSERT_EQ(pasted.size(), area.size());
    EXPECT_TRUE(pasted.convertToFormat(QImage::Format_RGB32) == session->pattern().copy(area))
        << "the paste is exactly the dragged part of the screen";
}

TEST_F(ApplicationEndToEnd, ShortcutChangedInTheSettingsFileWorksAfterRestart)
{
    {
        Trovix first(*session, config.path());
        waitForEditor();
    }
    // Control-Option-9 in the stored form: key code 25, control and option modifiers.
    storeSetting(config.path(), QStringLiteral("captureScreenHotkey"), QStringLiteral("25:6144"));

    Trovix trovix(*session, config.path());
    waitForEditor();
    ASSERT_TRUE(session->pressEscapeInEditor());
    ASSERT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the empty editor";

    session->press(QStringLiteral("ctrl+alt+5"));
    EXPECT_FALSE(waitUntil([this] { return session->editorIsVisible(); }, 3s)) << "the old shortcut is free";

    session->press(QStringLiteral("ctrl+alt+9"));
    const QImage screen = session->escapeAndPaste(60s);
    ASSERT_FALSE(screen.isNull()) << "the new shortcut captured the screen";
    EXPECT_EQ(screen.size(), s_screenSize);
}

// A burst of presses must neither start overlapping captures nor wear the process down; the
// sanitizers report any leak or fault when the process ends on SIGTERM.
TEST_F(ApplicationEndToEnd, AHundredShortcutPressesInASecondRunOneCaptureAtATime)
{
    Trovix trovix(*session, config.path(), {}, Trovix::Errors::kept);
    waitForEditor();
    ASSERT_TRUE(session->pressEscapeInEditor());
    ASSERT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the empty editor";

    QStringList burst { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("8") };
    for (int press = 0; press < 100; ++press)
        burst.append(QStringLiteral("ctrl+alt+5"));
    session->run(QStringLiteral("xdotool"), burst, 30000);

    const QImage screen = session->escapeAndPaste(90s);
    ASSERT_FALSE(screen.isNull()) << "the editor still answers and copies its capture";
    EXPECT_EQ(screen.size(), s_screenSize);

    QProcess& process = trovix.process();
    process.terminate();
    ASSERT_TRUE(waitUntil([&] { return process.state() == QProcess::NotRunning; }, 60s));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    EXPECT_FALSE(errors.contains(QStringLiteral("Sanitizer"))) << errors.toStdString();

    int running = 0;
    int captures = 0;
    for (const QString& line : errors.split(QLatin1Char('\n'))) {
        if (line.contains(QStringLiteral("capture started"))) {
            EXPECT_EQ(running, 0) << "a capture started while another ran";
            running = 1;
            ++captures;
        } else if (line.contains(QStringLiteral("capture ended"))) {
            running = 0;
        }
    }
    EXPECT_EQ(running, 0);
    EXPECT_GE(captures, 1);
    EXPECT_LT(captures, 100) << "presses during a capture are refused, not queued";
}

TEST_F(ApplicationEndToEnd, CommandLineReachesTheRunningInstanceOverTheSessionBus)
{
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon gave its address";
    Trovix trovix(*session, config.path(), bus.address());
    waitForEditor();
    const auto nameIsOwned = [&] {
        return session
            ->run(QStringLiteral("dbus-send"),
                { QStringLiteral("--bus=") + bus.address(), QStringLiteral("--print-reply"),
                    QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                    QStringLiteral("string:io.github.trovix.Trovix") })
            .contains("boolean true");
    };
    ASSERT_TRUE(waitUntil(nameIsOwned, 20s)) << "the instance owns the application id on the bus";
    ASSERT_TRUE(session->pressEscapeInEditor());
    ASSERT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the empty editor";

    const auto command = [&](const QStringList& arguments) {
        QProcess launch;
        launch.setProcessEnvironment(trovix.process().processEnvironment());
        launch.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), arguments);
        EXPECT_TRUE(launch.waitForFinished(60000));
        return launch.exitCode();
    };
    EXPECT_EQ(command({ QStringLiteral("capture"), QStringLiteral("screen") }), 0);
    const QImage screen = session->escapeAndPaste(90s);
    ASSERT_FALSE(screen.isNull()) << "the command captured the screen in the running instance";
    EXPECT_TRUE(screen.convertToFormat(QImage::Format_RGB32) == session->pattern()) << "exactly the screen";

    EXPECT_EQ(command({ QStringLiteral("quit") }), 0);
    EXPECT_TRUE(waitUntil([&] { return trovix.process().state() == QProcess::NotRunning; }, 30s))
        << "quit through the bus ended the instance";
    EXPECT_FALSE(nameIsOwned()) << "and freed the name";
}

TEST_F(ApplicationEndToEnd, WithoutItsTrayIconAHiddenEditorStaysInTheTaskbar)
{
    for (const bool hideIcon : { true, false }) {
        SCOPED_TRACE(hideIcon ? "tray icon hidden" : "tray icon shown");
        storeSetting(config.path(), QStringLiteral("hideMenubarIcon"), hideIcon);
        Trovix trovix(*session, config.path());
        waitForEditor();
        const QString editor = session->visibleWindowsNamed(QStringLiteral("Trovix")).value(0);
        ASSERT_TRUE(session->isInClientList(editor));
        ASSERT_TRUE(session->pressEscapeInEditor());
        ASSERT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the editor";

        if (!hideIcon) {
            waitUntil([] { return false; }, 2s);
            EXPECT_FALSE(session->isInClientList(editor)) << "with the tray icon, the tray is the way back";
            continue;
        }
        ASSERT_TRUE(waitUntil([&] { return session->isInClientList(editor); }, 10s))
            << "the minimized editor keeps its taskbar entry";
        EXPECT_TRUE(QString::fromUtf8(
            session->run(QStringLiteral("xprop"), { QStringLiteral("-id"), editor, QStringLiteral("WM_STATE") }))
                        .contains(QStringLiteral("Iconic")));
        // Picking the entry brings the editor back.
        session->run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), editor });
        EXPECT_TRUE(waitUntil([this] { return session->editorIsVisible(); }, 20s));
    }
}
