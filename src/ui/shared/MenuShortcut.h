#pragma once

#include "domain/HotkeyShortcut.h"

#include <QKeySequence>

#include <optional>

class QAction;

namespace MenuShortcut {

// The key a menu item shows for a global shortcut: the shortcut's key with its modifiers
// when the key has a one-character menu equivalent, and no key at all otherwise (Space,
// Return, Esc and the like, or no shortcut).
[[nodiscard]] QKeySequence keySequence(const std::optional<HotkeyShortcut>& shortcut);

// Gives the item the shortcut and shows it as the shortcut fields write it. Qt would show
// the Super key as "Meta", and before Ctrl; the text after a tab is the menu's shortcut
// column.
void show(QAction& item, const QString& title, const std::optional<HotkeyShortcut>& shortcut);

// An item's title without the shortcut column.
[[nodiscard]] QString title(const QAction& item);

} // namespace MenuShortcut
