#include "ui/settings/DesktopKeyboardSettings.h"

#include <QProcess>

#include <array>

namespace {

struct Candidate {
    const char* desktop; // as XDG_CURRENT_DESKTOP names it
    const char* program;
    const char* argument; // empty: none
};

constexpr std::array s_candidates {
    Candidate { "GNOME", "gnome-control-center", "keyboard" },
    Candidate { "KDE", "systemsettings", "kcm_keys" },
    Candidate { "KDE", "systemsettings5", "kcm_keys" },
    Candidate { "XFCE", "xfce4-keyboard-settings", "" },
    Candidate { "X-Cinnamon", "cinnamon-settings", "keyboard" },
    Candidate { "MATE", "mate-keybinding-properties", "" },
    Candidate { "LXQt", "lxqt-config-globalkeyshortcuts", "" },
};

DesktopKeyboardSettings::Command commandOf(const Candidate& candidate)
{
    DesktopKeyboardSettings::Command command { QString::fromLatin1(candidate.program), {} };
    if (*candidate.argument)
        command.arguments << QString::fromLatin1(candidate.argument);
    return command;
}

} // namespace

namespace DesktopKeyboardSettings {

std::optional<Command> command(const QString& currentDesktop, const std::function<bool(const QString&)>& isInstalled)
{
    const QStringList desktops = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        for (const Candidate& candidate : s_candidates) {
            if (desktop.compare(QLatin1String(candidate.desktop), Qt::CaseInsensitive) == 0
                && isInstalled(QString::fromLatin1(candidate.program)))
                return commandOf(candidate);
        }
    }
    for (const Candidate& candidate : s_candidates) {
        if (isInstalled(QString::fromLatin1(candidate.program)))
            return commandOf(candidate);
    }
    return std::nullopt;
}

bool open(const Command& command)
{
    return QProcess::startDetached(command.program, command.arguments);
}

} // namespace DesktopKeyboardSettings
