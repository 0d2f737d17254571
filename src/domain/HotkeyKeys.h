#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <optional>

// The key and modifier vocabulary of stored shortcuts. Key codes are the ANSI
// virtual key codes (0 is A, 18 is 1, 36 Return, 53 Esc) and modifier masks are
// Carbon bits, so settings files keep one meaning everywhere; this namespace
// holds the single table that translates them to labels, menu characters, X
// keysyms and Qt keys. Command is the Super key on Linux desktops.
namespace HotkeyKeys {

inline constexpr std::uint32_t commandModifier = 0x100;
inline constexpr std::uint32_t shiftModifier = 0x200;
inline constexpr std::uint32_t optionModifier = 0x800;
inline constexpr std::uint32_t controlModifier = 0x1000;

inline constexpr std::uint32_t escapeKeyCode = 53;

// Ctrl, Alt, Shift and Super (Qt's Meta) as a Carbon mask; other flags are ignored.
[[nodiscard]] std::uint32_t carbonModifiers(Qt::KeyboardModifiers modifiers);
// The reverse, for menu shortcuts; bits outside the four modifiers are ignored.
[[nodiscard]] Qt::KeyboardModifiers qtModifiers(std::uint32_t carbonMask);

// The X core modifier mask to grab with: Shift, Control, Mod1 (Alt) and Mod4
// (Super), as standard keymaps assign them. Lock and NumLock are the grabber's.
[[nodiscard]] std::uint16_t xModifiers(std::uint32_t carbonMask);

// Always in the order Ctrl, Alt, Shift, Super, each present bit once; none for an empty mask.
[[nodiscard]] QStringList modifierNames(std::uint32_t carbonMask);

// "A", "5", ",", "Return", "Tab", "Space", "Esc"...; none for 10, 50, 51, 52 and above 53.
[[nodiscard]] std::optional<QString> keyLabel(std::uint32_t keyCode);

// The lower-case character a menu item shows for the key: only codes 0 to 47
// that have a one-character label, so Return, Tab, Space and Esc have none.
[[nodiscard]] std::optional<QChar> menuEquivalent(std::uint32_t keyCode);

// X keysym of the key's unshifted symbol, for grabbing it on the root window.
[[nodiscard]] std::optional<std::uint32_t> keysym(std::uint32_t keyCode);
// Upper-case letter keysyms are accepted as their letter keys.
[[nodiscard]] std::optional<std::uint32_t> keyCodeForKeysym(std::uint32_t keysym);

[[nodiscard]] std::optional<Qt::Key> qtKey(std::uint32_t keyCode);
// For recording from a key event: besides the keys of the table, the symbols that
// Shift produces on a US layout (Qt reports ⇧2 as '@', ⇧Tab as Backtab) map back
// to the key that was pressed.
[[nodiscard]] std::optional<std::uint32_t> keyCodeForQtKey(int qtKey);

} // namespace HotkeyKeys
