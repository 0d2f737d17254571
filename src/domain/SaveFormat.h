#pragma once

#include <QString>

#include <array>
#include <optional>

// `auto` is a C++ keyword, so that case is spelled out; its raw value stays "auto".
enum class SaveFormat { png, automatic };

namespace SaveFormats {

// In the order the settings window lists them.
inline constexpr std::array<SaveFormat, 2> allCases {
    SaveFormat::png,
    SaveFormat::automatic,
};

[[nodiscard]] QString rawValue(SaveFormat value);
// Exact, case-sensitive match of a raw value.
[[nodiscard]] std::optional<SaveFormat> fromRawValue(const QString& rawValue);

} // namespace SaveFormats
