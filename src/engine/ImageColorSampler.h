#pragma once

#include "domain/Image.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <optional>

namespace ImageColorSampler {

// "#RRGGBB" of the pixel under an image-space point, or none outside the image.
// Premultiplied pixels are reported as stored.
[[nodiscard]] std::optional<QString> sampleHexColor(QPointF point, const Image& image);

// "#1A2B3C", "1a2b3c" and "##1A2B3C##" all give the same opaque colour.
[[nodiscard]] std::optional<QColor> color(const QString& hexText);

} // namespace ImageColorSampler
