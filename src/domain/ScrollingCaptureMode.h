#pragma once

#include <QString>

#include <array>
#include <optional>

enum class ScrollingCaptureMode { manual, automatic };

namespace ScrollingCaptureModes {

// In the order the settings window lists them.
inline constexpr std::array<ScrollingCaptureMode, 2> allCases {
    ScrollingCaptureMode::manual,
    ScrollingCaptureMode::automatic,
};

[[nodiscard]] QString rawValue(ScrollingCaptureMode value);
// Exact, case-sensitive match of a raw value.
[[nodiscard]] std::optional<ScrollingCaptureMode> fromRawValue(const QString& rawValue);

} // namespace ScrollingCaptureModes
