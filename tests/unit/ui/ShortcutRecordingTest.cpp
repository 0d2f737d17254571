#include "ui/settings/ShortcutRecording.h"
#include "domain/HotkeyKeys.h"

#include <gtest/gtest.h>

namespace {

using namespace ShortcutRecording;
using HotkeyKeys::commandModifier;
using HotkeyKeys::controlModifier;
using HotkeyKeys::optionModifier;
using HotkeyKeys::shiftModifier;

constexpr Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;

struct KeyPressCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    Decision expected;
};

const KeyPressCase s_cases[] {
    { "Esc", Qt::Key_Escape, Qt::NoModifier, Cancel {} },
    { "Esc with modifiers still cancels", Qt::Key_Escape, ctrlAlt, Cancel {} },
    { "Ctrl+Alt+5", Qt::Key_5, ctrlAlt, Assign { { 23, controlModifier | optionModifier } } },
    { "Ctrl+Alt+Super+O", Qt::Key_O, ctrlAlt | Qt::MetaModifier,
        Assign { { 31, controlModifier | optionModifier | commandModifier } } },
    { "Shift alone is a modifier: Shift+A", Qt::Key_A, Qt::ShiftModifier, Assign { { 0, shiftModifier } } },
    { "Shift+2 reported as @", Qt::Key_At, Qt::ShiftModifier | Qt::ControlModifier,
        Assign { { 19, shiftModifier | controlModifier } } },
    { "Shift+Tab reported as Backtab", Qt::Key_Backtab, Qt::ShiftModifier | Qt::AltModifier,
        Assign { { 48, shiftModifier | optionModifier } } },
    { "A without a modifier", Qt::Key_A, Qt::NoModifier, Beep {} },
    { "Alt+F1 has no label", Qt::Key_F1, Qt::AltModifier, Beep {} },
    { "Ctrl+` has a key code but no label", Qt::Key_QuoteLeft, Qt::ControlModifier, Beep {} },
    { "Ctrl+Alt+keypad 5 is not the main-row 5", Qt::Key_5, ctrlAlt | Qt::KeypadModifier, Beep {} },
    { "Control pressed on its own", Qt::Key_Control, Qt::ControlModifier, Wait {} },
};

TEST(ShortcutRecording, EachKeyPressCancelsAssignsBeepsOrWaits)
{
    for (const KeyPressCase& keyPress : s_cases) {
        SCOPED_TRACE(keyPress.name);
        const Decision decision = decide(keyPress.key, keyPress.modifiers);
        EXPECT_EQ(decision.index(), keyPress.expected.index());
        if (const auto* assign = std::get_if<Assign>(&decision)) {
            const auto& expected = std::get<Assign>(keyPress.expected);
            EXPECT_EQ(assign->shortcut.keyCode, expected.shortcut.keyCode);
            EXPECT_EQ(assign->shortcut.modifiers, expected.shortcut.modifiers);
        }
    }
}

} // namespace
