#pragma once

#include "domain/HotkeyShortcut.h"

#include <QKeySequence>

#include <optional>

namespace MenuKeyEquivalent {

// What a menu item shows for a global shortcut. Only keys with a one-character menu
// equivalent get one (Return, Tab, Space, Esc and keys above the comma row do not), as a
// menu cannot show modifiers without a key; no shortcut gives an empty sequence.
[[nodiscard]] QKeySequence forShortcut(const std::optional<HotkeyShortcut>& shortcut);

} // namespace MenuKeyEquivalent
