#include "domain/HotkeyKeys.h"

#include <array>
#include <string_view>

namespace {

struct KeyEntry {
    std::uint32_t keyCode;
    std::string_view label; // empty: the key exists but is never shown or recorded
    std::uint32_t keysym;
    Qt::Key qtKey;
};

// X keysym values from keysymdef.h: Latin-1 symbols are their character codes.
constexpr std::uint32_t xkReturn = 0xff0d;
constexpr std::uint32_t xkTab = 0xff09;
constexpr std::uint32_t xkEscape = 0xff1b;
constexpr std::uint32_t xkBackSpace = 0xff08;

constexpr KeyEntry letter(std::uint32_t keyCode, char upper)
{
    constexpr std::string_view labels = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const auto index = static_cast<std::size_t>(upper - 'A');
    return { keyCode, labels.substr(index, 1), static_cast<std::uint32_t>(upper - 'A' + 'a'),
        static_cast<Qt::Key>(Qt::Key_A + static_cast<int>(index)) };
}

constexpr KeyEntry symbol(std::uint32_t keyCode, std::string_view label, Qt::Key qtKey)
{
    return { keyCode, label, static_cast<std::uint32_t>(static_cast<unsigned char>(label[0])), qtKey };
}

// Codes 10 and 52 are absent: no key of an ANSI keyboard sits there.
constexpr std::array s_keys {
    letter(0, 'A'),
    letter(1, 'S'),
    letter(2, 'D'),
    letter(3, 'F'),
    letter(4, 'H'),
    letter(5, 'G'),
    letter(6, 'Z'),
    letter(7, 'X'),
    letter(8, 'C'),
    letter(9, 'V'),
    letter(11, 'B'),
    letter(12, 'Q'),
    letter(13, 'W'),
    letter(14, 'E'),
    letter(15, 'R'),
    letter(16, 'Y'),
    letter(17, 'T'),
    symbol(18, "1", Qt::Key_1),
    symbol(19, "2", Qt::Key_2),
    symbol(20, "3", Qt::Key_3),
    symbol(21, "4", Qt::Key_4),
    symbol(22, "6", Qt::Key_6),
    symbol(23, "5", Qt::Key_5),
    symbol(24, "=", Qt::Key_Equal),
    symbol(25, "9", Qt::Key_9),
    symbol(26, "7", Qt::Key_7),
    symbol(27, "-", Qt::Key_Minus),
    symbol(28, "8", Qt::Key_8),
    symbol(29, "0", Qt::Key_0),
    symbol(30, "]", Qt::Key_BracketRight),
    letter(31, 'O'),
    letter(32, 'U'),
    symbol(33, "[", Qt::Key_BracketLeft),
    letter(34, 'I'),
    letter(35, 'P'),
    KeyEntry { 36, "Return", xkReturn, Qt::Key_Return },
    letter(37, 'L'),
    letter(38, 'J'),
    symbol(39, "'", Qt::Key_Apostrophe),
    letter(40, 'K'),
    symbol(41, ";", Qt::Key_Semicolon),
    symbol(42, "\\", Qt::Key_Backslash),
    symbol(43, ",", Qt::Key_Comma),
    symbol(44, "/", Qt::Key_Slash),
    letter(45, 'N'),
    letter(46, 'M'),
    symbol(47, ".", Qt::Key_Period),
    KeyEntry { 48, "Tab", xkTab, Qt::Key_Tab },
    KeyEntry { 49, "Space", ' ', Qt::Key_Space },
    KeyEntry { 50, {}, '`', Qt::Key_QuoteLeft },
    KeyEntry { 51, {}, xkBackSpace, Qt::Key_Backspace },
    KeyEntry { 53, "Esc", xkEscape, Qt::Key_Escape },
};

struct ShiftedKey {
    Qt::Key qtKey;
    std::uint32_t keyCode;
};

constexpr std::array s_shiftedUSKeys {
    ShiftedKey { Qt::Key_Exclam, 18 },
    ShiftedKey { Qt::Key_At, 19 },
    ShiftedKey { Qt::Key_NumberSign, 20 },
    ShiftedKey { Qt::Key_Dollar, 21 },
    ShiftedKey { Qt::Key_AsciiCircum, 22 },
    ShiftedKey { Qt::Key_Percent, 23 },
    ShiftedKey { Qt::Key_Plus, 24 },
    ShiftedKey { Qt::Key_ParenLeft, 25 },
    ShiftedKey { Qt::Key_Ampersand, 26 },
    ShiftedKey { Qt::Key_Underscore, 27 },
    ShiftedKey { Qt::Key_Asterisk, 28 },
    ShiftedKey { Qt::Key_ParenRight, 29 },
    ShiftedKey { Qt::Key_BraceRight, 30 },
    ShiftedKey { Qt::Key_BraceLeft, 33 },
    ShiftedKey { Qt::Key_QuoteDbl, 39 },
    ShiftedKey { Qt::Key_Colon, 41 },
    ShiftedKey { Qt::Key_Bar, 42 },
    ShiftedKey { Qt::Key_Less, 43 },
    ShiftedKey { Qt::Key_Question, 44 },
    ShiftedKey { Qt::Key_Greater, 47 },
    ShiftedKey { Qt::Key_Backtab, 48 },
    ShiftedKey { Qt::Key_AsciiTilde, 50 },
};

const KeyEntry* entryFor(std::uint32_t keyCode)
{
    for (const KeyEntry& entry : s_keys) {
        if (entry.keyCode == keyCode)
            return &entry;
    }
    return nullptr;
}

struct ModifierBit {
    std::uint32_t carbon;
    Qt::KeyboardModifier qt;
    std::uint16_t x; // ShiftMask, ControlMask, Mod1Mask, Mod4Mask of X.h
    const char* name; // as Linux desktops write it: Super, not Meta
};

// In the order the names are shown, which is also Qt's.
constexpr std::array s_modifiers {
    ModifierBit { HotkeyKeys::controlModifier, Qt::ControlModifier, 1 << 2, "Ctrl" },
    ModifierBit { HotkeyKeys::optionModifier, Qt::AltModifier, 1 << 3, "Alt" },
    ModifierBit { HotkeyKeys::shiftModifier, Qt::ShiftModifier, 1 << 0, "Shift" },
    ModifierBit { HotkeyKeys::commandModifier, Qt::MetaModifier, 1 << 6, "Super" },
};

} // namespace

namespace HotkeyKeys {

std::uint32_t carbonModifiers(Qt::KeyboardModifiers modifiers)
{
    std::uint32_t mask = 0;
    for (const ModifierBit& bit : s_modifiers) {
        if (modifiers.testFlag(bit.qt))
            mask |= bit.carbon;
    }
    return mask;
}

Qt::KeyboardModifiers qtModifiers(std::uint32_t carbonMask)
{
    Qt::KeyboardModifiers modifiers;
    for (const ModifierBit& bit : s_modifiers) {
        if (carbonMask & bit.carbon)
            modifiers |= bit.qt;
    }
    return modifiers;
}

std::uint16_t xModifiers(std::uint32_t carbonMask)
{
    std::uint16_t mask = 0;
    for (const ModifierBit& bit : s_modifiers) {
        if (carbonMask & bit.carbon)
            mask |= bit.x;
    }
    return mask;
}

QStringList modifierNames(std::uint32_t carbonMask)
{
    QStringList names;
    for (const ModifierBit& bit : s_modifiers) {
        if (carbonMask & bit.carbon)
            names.append(QString::fromLatin1(bit.name));
    }
    return names;
}

std::optional<QString> keyLabel(std::uint32_t keyCode)
{
    const KeyEntry* entry = entryFor(keyCode);
    if (!entry || entry->label.empty())
        return std::nullopt;
    return QString::fromLatin1(entry->label.data(), static_cast<qsizetype>(entry->label.size()));
}

std::optional<QChar> menuEquivalent(std::uint32_t keyCode)
{
    constexpr std::uint32_t lastMenuKeyCode = 47;
    const std::optional<QString> label = keyLabel(keyCode);
    if (keyCode > lastMenuKeyCode || !label || label->size() != 1)
        return std::nullopt;
    return label->front().toLower();
}

std::optional<std::uint32_t> keysym(std::uint32_t keyCode)
{
    const KeyEntry* entry = entryFor(keyCode);
    if (!entry)
        return std::nullopt;
    return entry->keysym;
}

std::optional<std::uint32_t> keyCodeForKeysym(std::uint32_t keysym)
{
    if (keysym >= 'A' && keysym <= 'Z')
        keysym += 'a' - 'A';
    for (const KeyEntry& entry : s_keys) {
        if (entry.keysym == keysym)
            return entry.keyCode;
    }
    return std::nullopt;
}

std::optional<Qt::Key> qtKey(std::uint32_t keyCode)
{
    const KeyEntry* entry = entryFor(keyCode);
    if (!entry)
        return std::nullopt;
    return entry->qtKey;
}

std::optional<std::uint32_t> keyCodeForQtKey(int qtKey)
{
    for (const KeyEntry& entry : s_keys) {
        if (entry.qtKey == qtKey)
            return entry.keyCode;
    }
    for (const ShiftedKey& shifted : s_shiftedUSKeys) {
        if (shifted.qtKey == qtKey)
            return shifted.keyCode;
    }
    return std::nullopt;
}

} // namespace HotkeyKeys
