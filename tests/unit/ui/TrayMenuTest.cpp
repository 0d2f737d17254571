#include "ui/tray/TrayMenu.h"
#include "ui/tray/TrayAbsenceNotice.h"

#include "CanvasTestSupport.h"

#include "domain/HotkeyKeys.h"

#include "fakes/AppStateWithFakes.h"
#include "ui/shared/MenuShortcut.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t controlOption = HotkeyKeys::controlModifier | HotkeyKeys::optionModifier;

class TrayMenuTest : public testing::Test, protected AppStateWithFakes {
protected:
    TrayMenu& tray()
    {
        if (!m_tray)
            m_tray = std::make_unique<TrayMenu>(state);
        return *m_tray;
    }

    QMenu& moreMenu() { return *item(*tray().menu(), QStringLiteral("more"))->menu(); }

    static QAction* item(const QMenu& menu, const QString& title)
    {
        for (QAction* action : menu.actions()) {
            if (MenuShortcut::title(*action) == title)
                return action;
        }
        ADD_FAILURE() << "no item " << title.toStdString();
        static QAction missing;
        return &missing;
    }

    // As the tray host does when the user clicks the icon.
    void openMenu() { Q_EMIT tray().menu()->aboutToShow(); }

private:
    std::unique_ptr<TrayMenu> m_tray;
};

} // namespace

TEST_F(TrayMenuTest, ItemsShowTheCurrentShortcutsWhereGlobalShortcutsWork)
{
    struct Row {
        bool inMore;
        const char* title;
        QKeySequence keys;
        // The menu's shortcut column: Qt would write "Meta+Ctrl+Alt+O".
        const char* shown;
    };
    const Row rows[] = {
        { false, "Capture Screen", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_5), "Ctrl+Alt+5" },
        { false, "Recognize Text/QR", QKeySequence(Qt::CTRL | Qt::ALT | Qt::META | Qt::Key_O), "Ctrl+Alt+Super+O" },
        { false, "Settings", QKeySequence(Qt::CTRL | Qt::Key_Comma), "" },
        { true, "Scrolling Capture", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_6), "Ctrl+Alt+6" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        const QMenu& menu = row.inMore ? moreMenu() : *tray().menu();
        const QAction* action = item(menu, QString::fromUtf8(row.title));
        EXPECT_EQ(action->shortcut(), row.keys);
        EXPECT_EQ(action->text().section(u'\t', 1), QString::fromUtf8(row.shown));
    }

    // A settings change refills the menu without opening it.
    settings.assignShortcut(HotkeyShortcut { 23, controlOption }, HotkeyAction::captureArea);
    QCoreApplication::processEvents();
    EXPECT_EQ(
        item(*tray().menu(), QStringLiteral("Capture Area"))->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_5));

    // Where nothing takes global shortcuts, no item shows one.
    hotkeys.takesShortcuts = false;
    openMenu();
    for (const QAction* action : tray().menu()->actions() + moreMenu().actions()) {
        SCOPED_TRACE(action->text().toStdString());
        EXPECT_FALSE(action->text().contains(u'\t'));
    }
    EXPECT_EQ(item(*tray().menu(), QStringLiteral("Settings"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma))
        << "the application's own keys stay";
}

TEST_F(TrayMenuTest, LaunchAtStartupTogglesTheLoginItem)
{
    item(*tray().menu(), QStringLiteral("Launch at Startup"))->trigger();
    EXPECT_TRUE(settings.launchAtStartup());
    QCoreApplication::processEvents(); // the menu refills: earlier items are gone
    EXPECT_TRUE(item(*tray().menu(), QStringLiteral("Launch at Startup"))->isChecked());

    item(*tray().menu(), QStringLiteral("Launch at Startup"))->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(settings.launchAtStartup());
    EXPECT_FALSE(item(*tray().menu(), QStringLiteral("Launch at Startup"))->isChecked());
}

TEST_F(TrayMenuTest, CaptureWindowAndDocumentItemsDoTheirWork)
{
    QSignalSpy captures(&tray(), &TrayMenu::captureRequested);
    struct Row {
        bool inMore;
        const char* title;
        TrayCaptureCommand command;
    };
    const Row rows[] = {
        { false, "Capture Screen", TrayCaptureCommand::captureScreen },
        { false, "Capture Area", TrayCaptureCommand::captureArea },
        { false, "Delayed Screenshot (3s)", TrayCaptureCommand::captureAfterDelay },
        { false, "Scrolling Capture", TrayCaptureCommand::captureScrolling },
        { true, "Add Capture to Canvas", TrayCaptureCommand::addCapture },
        { true, "Capture Active Window", TrayCaptureCommand::captureActiveWindow },
        { true, "Capture Any Window", TrayCaptureCommand::captureAnyWindow },
        { true, "Scrolling Capture", TrayCaptureCommand::captureScrolling },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        captures.clear();
        item(row.inMore ? moreMenu() : *tray().menu(), QString::fromUtf8(row.title))->trigger();
        ASSERT_EQ(captures.size(), 1);
        EXPECT_EQ(captures.front().front().value<TrayCaptureCommand>(), row.command);
    }

    // Window commands leave as signals of their own.
    captures.clear();
    const std::pair<const char*, void (TrayMenu::*)()> windowRows[]
        = { { "Reopen Trovix", &TrayMenu::showEditorRequested }, { "Settings", &TrayMenu::settingsRequested },
              { "Quit", &TrayMenu::quitRequested } };
    for (const auto& [title, signal] : windowRows) {
        QSignalSpy spy(&tray(), signal);
        item(*tray().menu(), QString::fromUtf8(title))->trigger();
        EXPECT_EQ(spy.size(), 1) << title;
    }
    EXPECT_EQ(captures.size(), 0);

    // Document commands run on the application state.
    clipboard.image = solidTestImage({ 40, 30 }, Qt::darkCyan);
    item(moreMenu(), QStringLiteral("Load From Clipboard"))->trigger();
    ASSERT_TRUE(state.baseImage().has_value());
    EXPECT_EQ(state.baseImage()->pixels().size(), QSize(40, 30));

    item(moreMenu(), QStringLiteral("Open File"))->trigger();
    EXPECT_EQ(dialogs.openPanelsShown, 1);

    // With an image open, recognition starts at once; it ends on its worker thread, on a warm
    // thread pool even before the menu action returns.
    openMenu();
    EXPECT_TRUE(item(*tray().menu(), QStringLiteral("Recognize Text/QR"))->isEnabled());
    QSignalSpy recognizing(&state.isRecognizingText, &ObservableNotifier::changed);
    item(*tray().menu(), QStringLiteral("Recognize Text/QR"))->trigger();
    EXPECT_GE(recognizing.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !state.isRecognizingText(); }, 30000));
}

// Unit tests run on the offscreen platform, where no tray host answers.
TEST_F(TrayMenuTest, WithoutATrayHostTheEditorSaysHowToReachTrovix)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    const QString before = state.statusMessage();

    settings.hideMenubarIcon.set(true);
    EXPECT_FALSE(TrayAbsenceNotice::tellIfNoTray(state)) << "an icon the user hid is not missed";
    EXPECT_EQ(state.statusMessage(), before);

    settings.hideMenubarIcon.set(false);
    EXPECT_TRUE(TrayAbsenceNotice::tellIfNoTray(state));
    EXPECT_TRUE(state.statusMessage().contains(QStringLiteral("press Ctrl+Alt+1")))
        << state.statusMessage().toStdString();

    settings.setShortcut(std::nullopt, HotkeyAction::showTrovix);
    EXPECT_TRUE(TrayAbsenceNotice::tellIfNoTray(state));
    EXPECT_FALSE(state.statusMessage().contains(QStringLiteral("press"))) << "no shortcut is offered when none is set";
    EXPECT_TRUE(state.statusMessage().contains(QStringLiteral("trovix")));
}
