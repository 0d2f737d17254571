#include "ui/tray/TrayAbsenceNotice.h"

#include "app/AppSettings.h"
#include "app/AppState.h"

#include <QSystemTrayIcon>

namespace TrayAbsenceNotice {

bool tellIfNoTray(AppState& state)
{
    // Qt looks for a StatusNotifierWatcher on the session bus, then for an XEmbed tray.
    if (QSystemTrayIcon::isSystemTrayAvailable() || state.settings.hideMenubarIcon())
        return false;
    const std::optional<HotkeyShortcut> showShortcut = state.settings.shortcut(HotkeyAction::showTrovix);
    const QString shortcutHint
        = showShortcut ? QStringLiteral("press %1, ").arg(showShortcut->displayText()) : QString();
    state.statusMessage.set(QStringLiteral("This desktop shows no tray icons: to bring Trovix back, %1run "
                                           "\"trovix\" again or bind \"trovix capture ...\" to a key")
                                .arg(shortcutHint));
    return true;
}

} // namespace TrayAbsenceNotice
