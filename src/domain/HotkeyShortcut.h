#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// One global keyboard shortcut. The key code is a virtual key code of the ANSI
// keyboard layout (18 is the key 1) and the modifiers a Carbon mask, so that the
// stored settings stay the same numbers on every platform; HotkeyKeys maps them
// to the X server's and Qt's own encodings.
struct HotkeyShortcut {
    std::uint32_t keyCode = 0;
    std::uint32_t modifiers = 0;

    // The stored text form: "23:6144". Empty pieces between colons are dropped,
    // so "23::6144" reads like "23:6144"; anything but two unsigned 32-bit
    // decimal numbers is no shortcut.
    [[nodiscard]] static std::optional<HotkeyShortcut> fromStorageValue(const QString& text);
    [[nodiscard]] QString storageValue() const;

    // The Linux way, with Qt's names of the keys: "Ctrl+Alt+Super+O", "Super+Return"; "?"
    // for a key without a name.
    [[nodiscard]] QString displayText() const;

    // Key code in the low half, modifier mask in the high half.
    [[nodiscard]] constexpr std::uint64_t word() const
    {
        return (static_cast<std::uint64_t>(modifiers) << 32) | keyCode;
    }

    friend constexpr bool operator==(const HotkeyShortcut&, const HotkeyShortcut&) = default;
};

[[nodiscard]] inline std::size_t qHash(const HotkeyShortcut& shortcut, std::size_t seed = 0) noexcept
{
    return std::hash<std::uint64_t> {}(shortcut.word()) ^ seed;
}

template <> struct std::hash<HotkeyShortcut> {
    std::size_t operator()(const HotkeyShortcut& shortcut) const noexcept
    {
        return std::hash<std::uint64_t> {}(shortcut.word());
    }
};
