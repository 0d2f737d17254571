#include "domain/HotkeyAction.h"

#include "domain/HotkeyKeys.h"

#include <cstddef>

namespace {

struct ActionEntry {
    const char* title;
    const char* settingKey;
    HotkeyShortcut defaultShortcut;
};

constexpr std::uint32_t controlOption = HotkeyKeys::controlModifier | HotkeyKeys::optionModifier;

// Indexed by raw value minus one.
constexpr std::array<ActionEntry, 8> s_actions { {
    { "Fullscreen screenshot", "captureScreenHotkey", { 23, controlOption } },
    { "Area screenshot", "captureAreaHotkey", { 19, controlOption } },
    { "Add capture to canvas", "addCaptureHotkey", { 20, controlOption } },
    { "Any window screenshot", "captureAnyWindowHotkey", { 21, controlOption } },
    { "Scrolling screenshot", "captureScrollingHotkey", { 22, controlOption } },
    { "Active window screenshot", "captureActiveWindowHotkey", { 26, controlOption } },
    { "Show Trovix", "showTrovixHotkey", { 18, controlOption } },
    { "Instant Text/QR Recognition", "recognizeTextHotkey", { 31, controlOption | HotkeyKeys::commandModifier } },
} };

const ActionEntry& entryFor(HotkeyAction action)
{
    return s_actions[static_cast<std::size_t>(HotkeyActions::rawValue(action) - 1)];
}

} // namespace

namespace HotkeyActions {

std::optional<HotkeyAction> fromRawValue(int rawValue)
{
    if (rawValue < 1 || rawValue > static_cast<int>(allCases.size()))
        return std::nullopt;
    return static_cast<HotkeyAction>(rawValue);
}

QString title(HotkeyAction action)
{
    return QString::fromLatin1(entryFor(action).title);
}

QString settingKey(HotkeyAction action)
{
    return QString::fromLatin1(entryFor(action).settingKey);
}

HotkeyShortcut defaultShortcut(HotkeyAction action)
{
    return entryFor(action).defaultShortcut;
}

} // namespace HotkeyActions
