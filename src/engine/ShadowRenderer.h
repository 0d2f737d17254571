#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>

#include <vector>

// Soft drop shadows: the alpha of what was drawn, blurred and tinted. The blur runs on a
// reduced copy of the alpha (a shadow's blur is wide, so a block average loses nothing
// visible) as three box passes per axis, which approximate a Gaussian in time linear in
// the pixel count whatever the radius.
namespace ShadowRenderer {

// A blur radius behaves like a Gaussian of half that standard deviation.
[[nodiscard]] inline double sigmaForBlurRadius(double blurRadius)
{
    return blurRadius / 2;
}

// A plane of coverage values (0–255), row by row.
struct AlphaPlane {
    int width = 0;
    int height = 0;
    std::vector<float> values;
};

// Approximately Gaussian blur in place, with separate deviations per axis (in cells);
// everything outside the plane counts as transparent.
void blur(AlphaPlane& plane, double sigmaX, double sigmaY);

// A shadow to be drawn stretched (with smooth scaling) into `targetRect`, in the pixel
// coordinates of the image it was cast from.
struct Shadow {
    QImage image;
    QRectF targetRect;
};

// The shadow cast by the pixels of `source` inside `area`: their alpha blurred with
// `sigma` (pixels, per axis) and moved by `offset` (pixels, y down), in `color` whose alpha
// scales the shadow's. `source` must be a 32-bit ARGB or RGB image. A null image when
// there is nothing to cast or the shadow cannot be allocated.
[[nodiscard]] Shadow castShadow(
    const QImage& source, const QRect& area, const QColor& color, QPointF sigma, QPointF offset);

} // namespace ShadowRenderer
