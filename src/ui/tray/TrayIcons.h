#pragma once

#include <QIcon>
#include <QString>

// The pictures of the tray and its menu, named like the symbols they stand for
// ("gearshape", "viewfinder.rectangular"). A picture with a freedesktop icon name
// comes from the user's icon theme; the rest are small SVGs of our own.
namespace TrayIcons {

// A null icon for a name we have no picture for, and for a theme icon the
// installed theme lacks.
[[nodiscard]] QIcon icon(const QString& symbolName);

// The icon in the tray itself: the application's own, so that it shows with any theme.
[[nodiscard]] QIcon statusIcon();

} // namespace TrayIcons
