// Global hot keys against a real X server: xdotool presses the keys through XTEST, as a
// keyboard would, while our event loop runs.
#include "XDriving.h"

#include "domain/HotkeyKeys.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbHotkeyService.h"
#include "platform/x11/XcbKeyboardMapping.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr std::uint32_t controlOption = HotkeyKeys::controlModifier | HotkeyKeys::optionModifier;
constexpr HotkeyShortcut controlOption5 { 23, controlOption };
constexpr HotkeyShortcut controlOption2 { 19, controlOption };
constexpr HotkeyShortcut controlOption8 { 28, controlOption };

bool pressKeys(const char* keys)
{
    return XDriving::xdotool({ QStringLiteral("key"), QString::fromLatin1(keys) });
}

// Turns a lock key on for the test's duration; the X server is shared with later tests.
class LockKeyOn {
public:
    explicit LockKeyOn(const char* key)
        : m_key(key)
    {
        m_pressed = pressKeys(m_key);
    }
    ~LockKeyOn()
    {
        if (m_pressed)
            pressKeys(m_key);
    }
    [[nodiscard]] bool isOn() const { return m_pressed; }

private:
    const char* m_key;
    bool m_pressed = false;
};

// Another X client that grabs keys on the root window before we do.
class OtherClient {
public:
    bool grab(char key, std::uint16_t modifiers)
    {
        const std::vector<xcb_keycode_t> codes = XcbKeyboardMapping(m_connection.get()).keyCodes(xcb_keysym_t(key));
        if (codes.empty())
            return false;
        xcb_generic_error_t* error = xcb_request_check(m_connection.get(),
            xcb_grab_key_checked(m_connection.get(), 0, m_connection.root(), modifiers, codes.front(),
                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }
    [[nodiscard]] std::uint16_t numLockMask() const { return XcbKeyboardMapping(m_connection.get()).numLockMask(); }

private:
    XcbConnection m_connection;
};

class HotkeyIntegrationTest : public testing::Test {
protected:
    HotkeyIntegrationTest()
    {
        service.setCallbacks({
            { HotkeyAction::captureScreen, [this] { ++screenPresses; } },
            { HotkeyAction::captureArea, [this] { ++areaPresses; } },
        });
    }

    // The area hot key marks the end of a sequence: X delivers presses in order, so once
    // it arrives every press before it has been handled too.
    void pressAndSync(const char* keys)
    {
        const int areaBefore = areaPresses;
        ASSERT_TRUE(pressKeys(keys));
        ASSERT_TRUE(pressKeys("ctrl+alt+2"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return areaPresses > areaBefore; }, 5000)) << "the area hot key arrives";
    }

    XcbHotkeyService service;
    int screenPresses = 0;
    int areaPresses = 0;
};

} // namespace

TEST_F(HotkeyIntegrationTest, OnlyTheExactCombinationCountsWithNumLockAndCapsLockOnOrOff)
{
    service.registerHotkeys(
        { { HotkeyAction::captureScreen, controlOption5 }, { HotkeyAction::captureArea, controlOption2 } });
    pressAndSync("5");
    pressAndSync("ctrl+5");
    EXPECT_EQ(screenPresses, 0) << "only the exact combination counts";
    pressAndSync("ctrl+alt+5");
    EXPECT_EQ(screenPresses, 1) << "no lock";
    {
        const LockKeyOn numLock("Num_Lock");
        ASSERT_TRUE(numLock.isOn());
        pressAndSync("ctrl+alt+5");
        EXPECT_EQ(screenPresses, 2) << "Num Lock";
        const LockKeyOn capsLock("Caps_Lock");
        ASSERT_TRUE(capsLock.isOn());
        pressAndSync("ctrl+alt+5");
        EXPECT_EQ(screenPresses, 3) << "Num Lock and Caps Lock";
    }
    const LockKeyOn capsLock("Caps_Lock");
    pressAndSync("ctrl+alt+5");
    EXPECT_EQ(screenPresses, 4) << "Caps Lock";
}

TEST_F(HotkeyIntegrationTest, RegisteringAgainMovesTheKeyAndReleasesTheOldOne)
{
    service.registerHotkeys(
        { { HotkeyAction::captureScreen, controlOption5 }, { HotkeyAction::captureArea, controlOption2 } });
    service.registerHotkeys(
        { { HotkeyAction::captureScreen, controlOption8 }, { HotkeyAction::captureArea, controlOption2 } });

    pressAndSync("ctrl+alt+5");
    EXPECT_EQ(screenPresses, 0) << "the old combination is gone";
    pressAndSync("ctrl+alt+8");
    EXPECT_EQ(screenPresses, 1);

    OtherClient other;
    EXPECT_TRUE(other.grab('5', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1)) << "we no longer hold the old combination";

    service.registerHotkeys({ { HotkeyAction::captureArea, controlOption2 } });
    pressAndSync("ctrl+alt+8");
    EXPECT_EQ(screenPresses, 1) << "a shortcut left out of the set is released";
}

TEST_F(HotkeyIntegrationTest, AKeyAnotherClientHoldsIsSkippedSilently)
{
    QStringList warnings;
    static QStringList* s_warnings = nullptr;
    s_warnings = &warnings;
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
              if (type >= QtWarningMsg)
                  s_warnings->append(message);
          });

    OtherClient other;
    ASSERT_TRUE(other.grab('5', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));
    service.registerHotkeys(
        { { HotkeyAction::captureScreen, controlOption5 }, { HotkeyAction::captureArea, controlOption2 } });
    EXPECT_EQ(
        service.registeredHotkeys(), HotkeyRegistrar::Shortcuts({ { HotkeyAction::captureArea, controlOption2 } }));

    pressAndSync("ctrl+alt+5");
    EXPECT_EQ(screenPresses, 0);
    EXPECT_EQ(areaPresses, 1);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
}

TEST_F(HotkeyIntegrationTest, APartlyRefusedShortcutIsGivenBackWhole)
{
    // The other client holds the combination only with Num Lock on; keeping the rest would
    // make the key start different things depending on a lock light.
    OtherClient other;
    const std::uint16_t numLock = other.numLockMask();
    ASSERT_NE(numLock, 0) << "the test keymap has Num Lock on a modifier";
    ASSERT_TRUE(other.grab('5', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | numLock));
    service.registerHotkeys(
        { { HotkeyAction::captureScreen, controlOption5 }, { HotkeyAction::captureArea, controlOption2 } });

    EXPECT_EQ(
        service.registeredHotkeys(), HotkeyRegistrar::Shortcuts({ { HotkeyAction::captureArea, controlOption2 } }));
    EXPECT_TRUE(other.grab('5', XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1)) << "the plain combination was given back";
    pressAndSync("ctrl+alt+5");
    EXPECT_EQ(screenPresses, 0);
}
