#pragma once

#include "domain/HotkeyAction.h"

#include <QString>

// The command line that runs an action in the running Trovix, for a desktop whose own
// keyboard settings must start it because no program may take global shortcuts there.
namespace DesktopShortcutCommand {

// "trovix capture area"; `program` is how the desktop finds Trovix ("trovix" when it is on
// the PATH, else the full path of this executable).
[[nodiscard]] QString command(HotkeyAction action, const QString& program);

// "trovix" when the PATH leads to this very executable, else its full path.
[[nodiscard]] QString program();

} // namespace DesktopShortcutCommand
