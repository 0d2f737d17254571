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
