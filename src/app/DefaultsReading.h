#pragma once

#include "domain/HotkeyShortcut.h"
#include "ports/DefaultsStore.h"

#include <QString>

#include <optional>

// How settings read stored values. A value of the wrong type never converts
// silently into a different setting: it reads as missing and the caller uses
// its default. The only lenient reading is plainBool, kept for the one setting
// that historically used the store's forgiving Boolean reading.
namespace DefaultsReading {

using Value = std::optional<DefaultsStore::Value>;

// true, a non-zero number, or a text "yes", "true" (any case) or a non-zero number; anything else is false.
[[nodiscard]] bool plainBool(const Value& value);

// A Boolean, or a number that is exactly 0 or 1.
[[nodiscard]] std::optional<bool> boolean(const Value& value);
[[nodiscard]] std::optional<double> number(const Value& value);
[[nodiscard]] std::optional<QString> text(const Value& value);

// A stored empty text is a deliberately cleared shortcut (none). A missing key,
// a value of another type or an unparsable text gives the default.
[[nodiscard]] std::optional<HotkeyShortcut> shortcut(const Value& value, HotkeyShortcut defaultShortcut);

} // namespace DefaultsReading
