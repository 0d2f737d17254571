#include "ui/settings/HotkeysSettingsTab.h"

#include "SettingsWindowFixture.h"
#include "ui/settings/DesktopKeyboardSettings.h"
#include "ui/settings/DesktopShortcutCommand.h"
#include "ui/settings/ShortcutField.h"
#include "ui/settings/ShortcutRecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include <set>

using HotkeysSettingsTabTest = SettingsWindowFixture;

// Where nothing takes global shortcuts, no shortcut field pretends to work: each action shows
// the command to bind in the desktop's settings, and its button copies exactly that.
TEST_F(HotkeysSettingsTabTest, WithoutGlobalShortcutsOffersTheCommandsToBind)
{
    HotkeysSettingsTab tab(settings, window.recorder(), false);
    EXPECT_TRUE(tab.findChildren<ShortcutField*>().isEmpty());

    const QString program = DesktopShortcutCommand::program();
    const std::pair<HotkeyAction, const char*> rows[]
        = { { HotkeyAction::addCapture, " capture add-area" }, { HotkeyAction::recognizeText, " recognize" } };
    for (const auto& [action, arguments] : rows) {
        SCOPED_TRACE(arguments);
        const QString key = HotkeyActions::settingKey(action);
        auto* command = tab.findChild<QLineEdit*>(key + QStringLiteral("Command"));
        auto* copy = tab.findChild<QPushButton*>(key + QStringLiteral("Copy"));
        ASSERT_TRUE(command && copy);
        EXPECT_EQ(command->text(), program + QLatin1String(arguments));
        EXPECT_TRUE(command->isReadOnly());
        QApplication::clipboard()->clear();
        copy->click();
        EXPECT_EQ(QApplication::clipboard()->text(), command->text());
    }
}

TEST(DesktopKeyboardSettings, TheCurrentDesktopsProgramComesFirstThenAnyInstalledOne)
{
    using DesktopKeyboardSettings::Command;
    const Command gnome { QStringLiteral("gnome-control-center"), { QStringLiteral("keyboard") } };
    const Command plasma { QStringLiteral("systemsettings"), { QStringLiteral("kcm_keys") } };
    const Command xfce { QStringLiteral("xfce4-keyboard-settings"), {} };
    const struct {
        const char* name;
        const char* currentDesktop;
        std::set<QString> installed;
        std::optional<Command> expected;
    } cases[] {
        { "Ubuntu's list names GNOME second", "ubuntu:GNOME", { QStringLiteral("gnome-control-center") }, gnome },
        { "KDE with GNOME's program installed too", "KDE",
            { QStringLiteral("gnome-control-center"), QStringLiteral("systemsettings") }, plasma },
        { "names are compared without case", "xfce", { QStringLiteral("xfce4-keyboard-settings") }, xfce },
        { "the desktop's program is missing: any other", "KDE", { QStringLiteral("xfce4-keyboard-settings") }, xfce },
        { "unknown desktop", "", { QStringLiteral("systemsettings") }, plasma },
        { "nothing installed", "GNOME", {}, std::nullopt },
    };
    for (const auto& desktop : cases) {
        SCOPED_TRACE(desktop.name);
        const auto command = DesktopKeyboardSettings::command(QString::fromLatin1(desktop.currentDesktop),
            [&](const QString& program) { return desktop.installed.contains(program); });
        EXPECT_EQ(command, desktop.expected);
    }
}
