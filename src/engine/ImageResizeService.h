#pragma once

#include "domain/Image.h"

#include <QRectF>
#include <QSizeF>

#include <optional>

// Cutting and scaling images. Both work in image points and derive the pixel density of the
// source on each axis from the image itself.
namespace ImageResizeService {

// The pixels under the rectangle, rounded outward to whole pixels and clipped to the image.
// None when the rectangle has no area, lies wholly outside the image, or is not finite.
[[nodiscard]] std::optional<Image> crop(const Image& image, QRectF rect);

// The image stretched to the size in points, at the source's pixel density. None for a size
// that is not positive and finite, or whose pixels could not be held.
[[nodiscard]] std::optional<Image> resize(const Image& image, QSizeF size);

} // namespace ImageResizeService
