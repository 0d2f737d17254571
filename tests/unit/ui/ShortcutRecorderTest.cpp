#include "SettingsWindowFixture.h"

#include "domain/HotkeyKeys.h"
#include "ui/settings/ShortcutField.h"
#include "ui/settings/ShortcutRecorder.h"
#include "ui/settings/ShortcutRecording.h"

#include <QPushButton>
#include <QTest>

namespace {

using namespace ShortcutRecording;
using HotkeyKeys::controlModifier;
using HotkeyKeys::optionModifier;
using HotkeyKeys::shiftModifier;

const HotkeyShortcut ctrlAlt5 { 23, controlModifier | optionModifier };

class ShortcutRecorderTest : public SettingsWindowFixture {
protected:
    void SetUp() override
    {
        window.recorder().setBeep([this] { ++beeps; });
        window.setSelection(SettingsTab::hotkeys);
        window.show();
    }

    QPushButton* button(HotkeyAction action, const char* name)
    {
        auto* field = control<ShortcutField>(HotkeyActions::settingKey(action));
        return field ? field->findChild<QPushButton*>(QString::fromLatin1(name)) : nullptr;
    }

    QString recorderText(HotkeyAction action) { return button(action, "record")->text(); }

    int beeps = 0;
};

// A grabbed combination would reach its own hot key instead of the recorder, so the hot keys
// are released for as long as recording lasts, edits included. Which keys are refused is the
// recording rules' own table; one stands for all here.
TEST_F(ShortcutRecorderTest, RecordingReleasesTheHotkeysRefusedKeysBeepAndEscChangesNothing)
{
    button(HotkeyAction::captureScreen, "record")->click();
    ASSERT_FALSE(registrar.registrations().empty());
    EXPECT_TRUE(registrar.registrations().back().empty());
    button(HotkeyAction::showTrovix, "clear")->click();
    EXPECT_TRUE(registrar.registrations().back().empty());
    EXPECT_EQ(window.recorder().recordingAction(), HotkeyAction::captureScreen);

    const int writes = store.writeCount();
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(window.recorder().recordingAction(), HotkeyAction::captureScreen);
    // A modifier on its own is the start of a combination: no beep.
    QTest::keyClick(&window, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(beeps, 1);

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(window.recorder().recordingAction(), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureScreen), ctrlAlt5);
    EXPECT_EQ(recorderText(HotkeyAction::captureScreen), QStringLiteral("Ctrl+Alt+5"));
    EXPECT_EQ(store.writeCount(), writes);
    EXPECT_EQ(registrar.registrations().back(), settings.shortcuts()) << "the hot keys are taken again";

    // A combination with a modifier ends recording too, moved from the action that had it.
    button(HotkeyAction::captureArea, "record")->click();
    QTest::keyClick(&window, Qt::Key_5, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(window.recorder().recordingAction(), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), ctrlAlt5);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureScreen), std::nullopt);
    EXPECT_EQ(registrar.registrations().back(), settings.shortcuts());
}

TEST_F(ShortcutRecorderTest, ClearResetLeavingThePaneOrHidingTheWindowEndRecording)
{
    button(HotkeyAction::recognizeText, "record")->click();
    button(HotkeyAction::recognizeText, "clear")->click();
    EXPECT_EQ(window.recorder().recordingAction(), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::recognizeText), std::nullopt);
    EXPECT_EQ(recorderText(HotkeyAction::recognizeText), QStringLiteral("Record Shortcut"));

    button(HotkeyAction::recognizeText, "reset")->click();
    EXPECT_EQ(settings.shortcut(HotkeyAction::recognizeText), (HotkeyShortcut { 31, 0x1900 }));

    // A default another action took meanwhile moves back rather than sitting on two actions.
    settings.assignShortcut(ctrlAlt5, HotkeyAction::captureArea);
    button(HotkeyAction::captureScreen, "reset")->click();
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureScreen), ctrlAlt5);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), std::nullopt);

    // Leaving the pane or hiding the window ends recording as well.
    button(HotkeyAction::captureArea, "record")->click();
    window.setSelection(SettingsTab::general);
    EXPECT_EQ(window.recorder().recordingAction(), std::nullopt);

    window.setSelection(SettingsTab::hotkeys);
    button(HotkeyAction::captureArea, "record")->click();
    window.hide();
    EXPECT_EQ(window.recorder().recordingAction(), std::nullopt);
    EXPECT_FALSE(window.recorder().isInstalled());
    window.show();
    EXPECT_TRUE(window.recorder().isInstalled());
}

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
    { "Shift alone is a modifier: Shift+A", Qt::Key_A, Qt::ShiftModifier, Assign { { 0, shiftModifier } } },
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
