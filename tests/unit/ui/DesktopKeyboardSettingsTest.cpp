#include "ui/settings/DesktopKeyboardSettings.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using DesktopKeyboardSettings::Command;

struct DesktopCase {
    const char* name;
    const char* currentDesktop;
    std::set<QString> installed;
    std::optional<Command> expected;
};

TEST(DesktopKeyboardSettings, TheCurrentDesktopsProgramComesFirstThenAnyInstalledOne)
{
    const Command gnome { QStringLiteral("gnome-control-center"), { QStringLiteral("keyboard") } };
    const Command plasma { QStringLiteral("systemsettings"), { QStringLiteral("kcm_keys") } };
    const Command xfce { QStringLiteral("xfce4-keyboard-settings"), {} };
    const DesktopCase cases[] {
        { "Ubuntu's list names GNOME second", "ubuntu:GNOME", { QStringLiteral("gnome-control-center") }, gnome },
        { "KDE with GNOME's program installed too", "KDE",
            { QStringLiteral("gnome-control-center"), QStringLiteral("systemsettings") }, plasma },
        { "names are compared without case", "xfce", { QStringLiteral("xfce4-keyboard-settings") }, xfce },
        { "the desktop's program is missing: any other", "KDE", { QStringLiteral("xfce4-keyboard-settings") }, xfce },
        { "unknown desktop", "", { QStringLiteral("systemsettings") }, plasma },
        { "nothing installed", "GNOME", {}, std::nullopt },
    };
    for (const DesktopCase& desktop : cases) {
        SCOPED_TRACE(desktop.name);
        const auto command = DesktopKeyboardSettings::command(QString::fromLatin1(desktop.currentDesktop),
            [&](const QString& program) { return desktop.installed.contains(program); });
        EXPECT_EQ(command, desktop.expected);
    }
}

} // namespace
