#include "ui/settings/ShortcutRecording.h"

#include "domain/HotkeyKeys.h"

#include <algorithm>
#include <array>

namespace {

bool isModifierKey(int qtKey)
{
    constexpr std::array modifierKeys { Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Meta,
        Qt::Key_Super_L, Qt::Key_Super_R, Qt::Key_Hyper_L, Qt::Key_Hyper_R, Qt::Key_CapsLock, Qt::Key_NumLock,
        Qt::Key_Mode_switch };
    return std::ranges::find(modifierKeys, qtKey) != modifierKeys.end();
}

} // namespace

namespace ShortcutRecording {

Decision decide(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (qtKey == Qt::Key_Escape)
        return Cancel {};
    if (isModifierKey(qtKey))
        return Wait {};
    // Keypad keys have key codes of their own that no label names, so "Ctrl+Alt+keypad 5"
    // must not be stored as the main-row 5.
    if (modifiers.testFlag(Qt::KeypadModifier))
        return Beep {};
    const std::uint32_t mask = HotkeyKeys::carbonModifiers(modifiers);
    const std::optional<std::uint32_t> keyCode = HotkeyKeys::keyCodeForQtKey(qtKey);
    if (mask == 0 || !keyCode || !HotkeyKeys::keyLabel(*keyCode))
        return Beep {};
    return Assign { HotkeyShortcut { *keyCode, mask } };
}

} // namespace ShortcutRecording
