#pragma once

#include "domain/Image.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

class QPainter;

// The picture that stitching and stacking draw into. It is laid out in points and holds
// pixels at the finest density among its sources, so a 2x capture keeps every pixel.
namespace CompositionCanvas {

// More than any real page needs (a 20000-point scroll at 2x and 4K width is 154 million);
// beyond it the allocation would be the user's whole memory.
inline constexpr double maximumPixelCount = 400'000'000;

// Pixels per point on each axis: the largest of the images', 1 when there is none.
[[nodiscard]] QPointF density(const std::vector<Image>& images);

// The pixels of a canvas of `pointSize` at `density`, filled with `fill`; none when it would
// be empty or larger than the limit, or cannot be allocated.
[[nodiscard]] std::optional<QImage> create(QSizeF pointSize, QPointF density, const QColor& fill);

// Draws `image` into `frame` (points) of the canvas painted by `painter`, whose transform
// must be the identity. At the image's own density its pixels are copied one to one (at the
// nearest whole pixel), so stitched rows stay bit-exact; otherwise they are smoothly scaled.
void drawImage(QPainter& painter, const Image& image, const QRectF& frame, QPointF density);

} // namespace CompositionCanvas
