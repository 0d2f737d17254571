#pragma once

#include "domain/HotkeyAction.h"
#include "domain/HotkeyShortcut.h"

#include <QString>

// Shortcuts in the terms of the GlobalShortcuts portal.
namespace PortalShortcutTrigger {

// A stored shortcut as a preferred trigger: modifiers CTRL, ALT, SHIFT, LOGO joined by "+",
// then the key's XKB keysym name ("CTRL+ALT+2", "CTRL+ALT+LOGO+o", "LOGO+Return"); empty for
// a key without a name.
[[nodiscard]] QString text(const HotkeyShortcut& shortcut);

// The identifier an action is bound under: its settings key, stable across versions.
[[nodiscard]] QString id(HotkeyAction action);
[[nodiscard]] std::optional<HotkeyAction> actionFor(const QString& id);

} // namespace PortalShortcutTrigger
