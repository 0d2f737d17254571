#include "domain/HotkeyShortcut.h"
#include "domain/HotkeyAction.h"
#include "domain/HotkeyKeys.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const HotkeyShortcut& shortcut, std::ostream* out)
{
    *out << shortcut.storageValue().toStdString();
}

namespace {

TEST(HotkeyShortcut, ParsesOnlyTwoUnsigned32BitDecimalNumbers)
{
    const std::pair<const char*, std::optional<HotkeyShortcut>> cases[] = { { "23:6144", HotkeyShortcut { 23, 6144 } },
        { "23::6144", HotkeyShortcut { 23, 6144 } }, { "007:0100", HotkeyShortcut { 7, 100 } },
        { "4294967295:4294967295", HotkeyShortcut { 0xFFFF'FFFFu, 0xFFFF'FFFFu } }, { "", std::nullopt },
        { "23", std::nullopt }, { "19:", std::nullopt }, { "19:6144:1", std::nullopt }, { "-1:6144", std::nullopt },
        { "+1:6144", std::nullopt }, { " 19:6144", std::nullopt }, { "4294967296:1", std::nullopt },
        { "0x13:6144", std::nullopt } };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(HotkeyShortcut::fromStorageValue(QString::fromUtf8(text)), expected);
    }
    // Digits of other scripts are not decimal numbers of the stored form.
    EXPECT_EQ(HotkeyShortcut::fromStorageValue(QStringLiteral("１９:6144")), std::nullopt);
    // The stored form is the one parsed above.
    EXPECT_EQ((HotkeyShortcut { 23, 6144 }.storageValue()), QStringLiteral("23:6144"));
    EXPECT_EQ((HotkeyShortcut { 0xFFFF'FFFFu, 0 }.storageValue()), QStringLiteral("4294967295:0"));
}

TEST(HotkeyShortcut, DisplayTextIsTheLinuxNotationWithQtKeyNames)
{
    const std::pair<HotkeyShortcut, const char*> cases[]
        = { { HotkeyActions::defaultShortcut(HotkeyAction::recognizeText), "Ctrl+Alt+Super+O" },
              { HotkeyActions::defaultShortcut(HotkeyAction::captureScreen), "Ctrl+Alt+5" },
              { { 36, HotkeyKeys::commandModifier }, "Super+Return" },
              { { 50, HotkeyKeys::commandModifier }, "Super+?" }, { { 43, 0x1B00 }, "Ctrl+Alt+Shift+Super+," },
              { { 200, 0 }, "?" } };
    for (const auto& [shortcut, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(shortcut.displayText(), QString::fromUtf8(expected));
    }
}

} // namespace
