#pragma once

#include <QString>

#include <array>
#include <optional>

enum class WindowBackgroundStyle { wallpaper, transparent, solidColor, trimShadow };

namespace WindowBackgroundStyles {

// In the order the settings window lists them.
inline constexpr std::array<WindowBackgroundStyle, 4> allCases {
    WindowBackgroundStyle::wallpaper,
    WindowBackgroundStyle::transparent,
    WindowBackgroundStyle::solidColor,
    WindowBackgroundStyle::trimShadow,
};

[[nodiscard]] QString rawValue(WindowBackgroundStyle value);
// Exact, case-sensitive match of a raw value.
[[nodiscard]] std::optional<WindowBackgroundStyle> fromRawValue(const QString& rawValue);

} // namespace WindowBackgroundStyles
