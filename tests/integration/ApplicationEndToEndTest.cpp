// The real trovix binary on a desktop of its own (a private X server with the Openbox
// window manager): global shortcuts, capture, Esc to the clipboard, settings read at
// start, and one instance per session.
#include "DesktopSession.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace EndToEnd;

const QSize s_screenSize = defaultScreenSize;

class ApplicationEndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        session = std::make_unique<DesktopSession>();
        ASSERT_TRUE(session->isReady()) << session->problem().toStdString();
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

    // Whatever the last capture left on the screen, the show-editor shortcut must answer.
    waitUntil([] { return false; }, 3s);
    session->press(QStringLiteral("ctrl+alt+1"));
    const QImage screen = session->escapeAndPaste(90s);
    ASSERT_FALSE(screen.isNull()) << "the editor still answers and copies its capture\n"
                                  << trovix.process().readAllStandardError().toStdString();
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

TEST_F(ApplicationEndToEnd, CommandsFilesAndDesktopActionsReachTheRunningInstanceOverTheSessionBus)
{
    PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon gave its address";
    QProcessEnvironment busEnvironment;
    busEnvironment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    Trovix trovix(*session, config.path(), busEnvironment);
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

    // A file handed over by the desktop arrives through Open, as `trovix open` sends it.
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(20, 140, 60));
    picture.setPixelColor(3, 5, Qt::white);
    const QString picturePath = config.path() + QStringLiteral("/opened picture.png");
    ASSERT_TRUE(picture.save(picturePath));
    EXPECT_EQ(command({ QStringLiteral("open"), picturePath }), 0);
    const QImage opened = session->escapeAndPaste(90s);
    ASSERT_FALSE(opened.isNull()) << "the opened file reached the editor";
    EXPECT_EQ(opened.convertToFormat(QImage::Format_RGB32), picture);

    // The desktop file's actions call ActivateAction themselves when Trovix is D-Bus activatable.
    QProcess activate;
    activate.setProcessEnvironment(trovix.process().processEnvironment());
    activate.start(QStringLiteral("gdbus"),
        { QStringLiteral("call"), QStringLiteral("--session"), QStringLiteral("--dest"),
            QStringLiteral("io.github.trovix.Trovix"), QStringLiteral("--object-path"),
            QStringLiteral("/io/github/trovix/Trovix"), QStringLiteral("--method"),
            QStringLiteral("org.freedesktop.Application.ActivateAction"), QStringLiteral("capture-screen"),
            QStringLiteral("[]"), QStringLiteral("{}") });
    ASSERT_TRUE(activate.waitForFinished(30000));
    EXPECT_EQ(activate.exitCode(), 0) << activate.readAllStandardError().toStdString();
    const QImage activated = session->escapeAndPaste(90s);
    ASSERT_FALSE(activated.isNull()) << "the desktop file's action brought a capture to the editor";
    EXPECT_TRUE(activated.convertToFormat(QImage::Format_RGB32) == session->pattern())
        << "the desktop file's action captured the screen exactly";

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
