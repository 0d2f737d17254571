#pragma once

#include "domain/DesktopOutput.h"

#include <QImage>
#include <QList>
#include <QRect>

// A picture of a whole Wayland desktop, as a screenshot portal returns it: the bounding box
// of all outputs at one density (typically the largest output scale), which says nothing
// about each output's own scale. These cut it back into the desktop's parts.
namespace DesktopPicture {

// The bounding box of the outputs, in logical pixels.
[[nodiscard]] QRect bounds(const QList<DesktopOutput>& outputs);

// Device pixels per logical pixel of the picture; 0 when the picture does not have the
// desktop's proportions (a picture of something else, or of an older layout).
[[nodiscard]] double density(const QImage& picture, const QList<DesktopOutput>& outputs);

// `logical` (desktop logical pixels) cut from the picture and brought to `scale` device
// pixels per logical pixel; a null image when it lies outside the desktop or the picture
// does not fit the layout. Cutting at the picture's own density copies pixels unchanged.
[[nodiscard]] QImage cut(const QImage& picture, const QList<DesktopOutput>& outputs, QRect logical, double scale);

} // namespace DesktopPicture
