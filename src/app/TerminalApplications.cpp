#include "app/TerminalApplications.h"

#include <QStringList>

namespace TerminalApplications {

bool isTerminal(const QString& applicationId)
{
    static const QStringList terminals {
        QStringLiteral("xterm"),
        QStringLiteral("uxterm"),
        QStringLiteral("urxvt"),
        QStringLiteral("rxvt"),
        QStringLiteral("gnome-terminal"),
        QStringLiteral("gnome-terminal-server"),
        QStringLiteral("org.gnome.console"),
        QStringLiteral("kgx"),
        QStringLiteral("konsole"),
        QStringLiteral("yakuake"),
        QStringLiteral("xfce4-terminal"),
        QStringLiteral("mate-terminal"),
        QStringLiteral("lxterminal"),
        QStringLiteral("qterminal"),
        QStringLiteral("terminator"),
        QStringLiteral("tilix"),
        QStringLiteral("guake"),
        QStringLiteral("tilda"),
        QStringLiteral("sakura"),
        QStringLiteral("terminology"),
        QStringLiteral("alacritty"),
        QStringLiteral("kitty"),
        QStringLiteral("wezterm"),
        QStringLiteral("org.wezfurlong.wezterm"),
        QStringLiteral("foot"),
        QStringLiteral("st"),
        QStringLiteral("st-256color"),
        QStringLiteral("cool-retro-term"),
        QStringLiteral("io.elementary.terminal"),
    };
    return terminals.contains(applicationId.toLower());
}

} // namespace TerminalApplications
