#pragma once

#include "domain/HotkeyShortcut.h"

#include <QString>

#include <array>
#include <optional>

// The commands a global shortcut can start. The raw value is the position in
// the list plus one and doubles as the identifier the hot key is registered
// under, so it must never be renumbered.
enum class HotkeyAction {
    captureScreen = 1,
    captureArea,
    addCapture,
    captureAnyWindow,
    captureScrolling,
    captureActiveWindow,
    showTrovix,
    recognizeText,
};

namespace HotkeyActions {

inline constexpr std::array<HotkeyAction, 8> allCases {
    HotkeyAction::captureScreen,
    HotkeyAction::captureArea,
    HotkeyAction::addCapture,
    HotkeyAction::captureAnyWindow,
    HotkeyAction::captureScrolling,
    HotkeyAction::captureActiveWindow,
    HotkeyAction::showTrovix,
    HotkeyAction::recognizeText,
};

[[nodiscard]] constexpr int rawValue(HotkeyAction action)
{
    return static_cast<int>(action);
}
[[nodiscard]] std::optional<HotkeyAction> fromRawValue(int rawValue);

// As the settings window titles its rows: "Area screenshot".
[[nodiscard]] QString title(HotkeyAction action);
// The settings key the shortcut is stored under: "captureAreaHotkey".
[[nodiscard]] QString settingKey(HotkeyAction action);
[[nodiscard]] HotkeyShortcut defaultShortcut(HotkeyAction action);

} // namespace HotkeyActions
