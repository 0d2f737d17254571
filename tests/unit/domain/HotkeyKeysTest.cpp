#include "domain/HotkeyKeys.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <tuple>

namespace {

using namespace HotkeyKeys;

TEST(HotkeyKeys, LabelsAndMenuEquivalentsAtTheEdgesOfTheTable)
{
    // Key code, label ("<none>" without one), menu character ("" without one).
    const std::tuple<std::uint32_t, const char*, const char*> cases[]
        = { { 0, "A", "a" }, { 10, "<none>", "" }, { 11, "B", "b" }, { 36, "Return", "" }, { 43, ",", "," },
              { 49, "Space", "" }, { 50, "<none>", "" }, { 53, "Esc", "" }, { 0xFFFF'FFFFu, "<none>", "" } };
    for (const auto& [keyCode, label, menuCharacter] : cases) {
        SCOPED_TRACE(keyCode);
        EXPECT_EQ(keyLabel(keyCode).value_or(QStringLiteral("<none>")), QString::fromLatin1(label));
        const std::optional<QChar> menu = menuEquivalent(keyCode);
        EXPECT_EQ(menu ? QString(*menu) : QString(), QString::fromLatin1(menuCharacter));
    }
}

TEST(HotkeyKeys, EveryLabelledKeyIsUniqueAndRoundTripsThroughXAndQtToTheRightEncodings)
{
    QStringList labels;
    for (std::uint32_t keyCode = 0; keyCode <= 53; ++keyCode) {
        const std::optional<QString> label = keyLabel(keyCode);
        if (!label)
            continue;
        SCOPED_TRACE(label->toStdString());
        EXPECT_FALSE(labels.contains(*label));
        labels.append(*label);

        const std::optional<std::uint32_t> symbol = keysym(keyCode);
        ASSERT_TRUE(symbol.has_value());
        EXPECT_EQ(keyCodeForKeysym(*symbol), keyCode);
        const std::optional<Qt::Key> key = qtKey(keyCode);
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(keyCodeForQtKey(*key), keyCode);
    }
    // 0-9, 11-49 and 53.
    EXPECT_EQ(labels.size(), 10 + 39 + 1);

    // Sample keys map to their X and Qt encodings.
    EXPECT_EQ(keysym(0), 0x61u); // XK_a: grabs use the unshifted symbol
    EXPECT_EQ(keysym(36), 0xff0du); // XK_Return
    EXPECT_EQ(keyCodeForKeysym(0x41), 0u); // XK_A
    EXPECT_EQ(keyCodeForKeysym(0xffbe), std::nullopt); // XK_F1
    EXPECT_EQ(keysym(10), std::nullopt);
    EXPECT_EQ(qtKey(52), std::nullopt);
    // The shifted symbol of a key event maps back to the pressed key.
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Percent), 23u);
    EXPECT_EQ(keyCodeForQtKey(Qt::Key_Less), 43u);
}

TEST(HotkeyKeys, ModifiersAreNamedInOrderAndConvertToQtAndXIgnoringOtherBits)
{
    const QStringList all { QStringLiteral("Ctrl"), QStringLiteral("Alt"), QStringLiteral("Shift"),
        QStringLiteral("Super") };
    EXPECT_EQ(modifierNames(0xFFFF'FFFFu & ~0x1B00u), QStringList());
    EXPECT_EQ(modifierNames(0xFFFF'FFFFu), all);

    EXPECT_EQ(carbonModifiers(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier), shiftModifier);
    for (std::uint32_t mask = 0; mask < 16; ++mask) {
        const std::uint32_t carbon = ((mask & 1) ? commandModifier : 0) | ((mask & 2) ? shiftModifier : 0)
            | ((mask & 4) ? optionModifier : 0) | ((mask & 8) ? controlModifier : 0);
        SCOPED_TRACE(carbon);
        EXPECT_EQ(carbonModifiers(qtModifiers(carbon)), carbon);
    }
    EXPECT_EQ(qtModifiers(0x0400), Qt::NoModifier);

    // For X the bits become Ctrl, Alt (Mod1), Shift and Super (Mod4).
    constexpr std::uint16_t shift = 1, control = 4, mod1 = 8, mod4 = 64;
    EXPECT_EQ(xModifiers(controlModifier | optionModifier), control | mod1);
    EXPECT_EQ(xModifiers(0x1B00), shift | control | mod1 | mod4);
    EXPECT_EQ(xModifiers(commandModifier), mod4);
    EXPECT_EQ(xModifiers(0xFFFF'FFFFu & ~0x1B00u), 0);
}

} // namespace
