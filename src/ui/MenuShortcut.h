#pragma once

#include "domain/HotkeyShortcut.h"

#include <QKeySequence>

#include <optional>

namespace MenuShortcut {

// The key a menu item shows for a global shortcut: the shortcut's key with its modifiers
// when the key has a one-character menu equivalent, and no key at all otherwise (Space,
// Return, Esc and the like, or no shortcut).
[[nodiscard]] QKeySequence keySequence(const std::optional<HotkeyShortcut>& shortcut);

} // namespace MenuShortcut
