#pragma once

class AppState;

// Some desktops (a bare window manager, GNOME without its tray extension) run neither a
// StatusNotifierItem host nor an XEmbed tray. Trovix then says once, at start, how else
// to reach it, since the icon it would be found by is nowhere to be seen.
namespace TrayAbsenceNotice {

// True when the notice was given.
bool tellIfNoTray(AppState& state);

} // namespace TrayAbsenceNotice
