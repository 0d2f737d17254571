#include "ui/tray/TrayAbsenceNotice.h"

#include "fakes/AppStateWithFakes.h"

#include <QSystemTrayIcon>

#include <gtest/gtest.h>

class TrayAbsenceNoticeTest : public testing::Test, protected AppStateWithFakes { };

// Unit tests run on the offscreen platform, where no tray host answers.
TEST_F(TrayAbsenceNoticeTest, WithoutATrayHostTheEditorSaysHowToReachTrovix)
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
