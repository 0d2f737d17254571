#pragma once

#include <QString>

#include <array>
#include <optional>

enum class UploadMode { disabled, customServer };

namespace UploadModes {

// In the order the settings window lists them.
inline constexpr std::array<UploadMode, 2> allCases {
    UploadMode::disabled,
    UploadMode::customServer,
};

[[nodiscard]] QString rawValue(UploadMode value);
// Exact, case-sensitive match of a raw value.
[[nodiscard]] std::optional<UploadMode> fromRawValue(const QString& rawValue);

} // namespace UploadModes
