#pragma once

#include <QSizeF>
#include <QString>

#include <optional>

namespace ResizePercent {

// The typed percentage as one number in the form a locale-independent strtod accepts
// ("50", "12.5", "1e2", "0x1p6"); none for leading space, trailing characters, empty
// text, non-finite values and anything not above zero.
[[nodiscard]] std::optional<double> parse(const QString& text);

// Whole-point target size, halves rounded away from zero, never below 1; none when the
// result would be too large to allocate (more than 32768 points a side or 500 million points).
[[nodiscard]] std::optional<QSizeF> targetSize(QSizeF imageSize, double percent);

} // namespace ResizePercent
