#pragma once

#include "domain/HotkeyShortcut.h"

#include <Qt>

#include <variant>

// What one key press does while a global shortcut is being recorded. Kept apart
// from the widgets so that the rule can be read and tested as a table.
namespace ShortcutRecording {

// Esc: recording ends and the action keeps its shortcut.
struct Cancel {
    friend bool operator==(const Cancel&, const Cancel&) = default;
};
// The action gets this shortcut (taken from any other action) and recording ends.
struct Assign {
    HotkeyShortcut shortcut;
    friend bool operator==(const Assign&, const Assign&) = default;
};
// No modifier or a key without a label: the bell sounds and recording goes on.
struct Beep {
    friend bool operator==(const Beep&, const Beep&) = default;
};
// A modifier pressed on its own is the start of a combination, not a refused key.
struct Wait {
    friend bool operator==(const Wait&, const Wait&) = default;
};

using Decision = std::variant<Cancel, Assign, Beep, Wait>;

// qtKey as a QKeyEvent reports it: ⇧2 arrives as '@' and is the key 2 with Shift.
[[nodiscard]] Decision decide(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace ShortcutRecording
