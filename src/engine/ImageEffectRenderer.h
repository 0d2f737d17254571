#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"
#include "domain/WindowBackgroundStyle.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <functional>
#include <optional>

class QPainter;
class QPainterPath;

// Drawing that needs the base image's pixels or paints over the whole picture: pixelation,
// spotlight, magnifier and the window background of an export.
//
// Painter-based operations expect the painter's user space in image points, y down (any
// scale to device pixels is the painter's transform). Each draw operation that takes a
// shape does nothing unless the shape has the kind it handles, and leaves the painter's
// state as it found it.
namespace ImageEffectRenderer {

inline constexpr double pixelBlockSize = 8; // image points per pixelation block, at most
inline constexpr double spotlightDimAlpha = 0.45;
inline constexpr double spotlightCornerRadius = 12;
inline constexpr double magnifierZoom = 2.2;

// The whole pixels under an image-space rectangle, rows counted from the top edge.
[[nodiscard]] QRect imageSpacePixelRect(const QRectF& rect, QSizeF imageSize, QSize pixelSize);

// The block grid of a pixelated region: one cell per block of at most 8 × 8 image points.
[[nodiscard]] QSize pixelationGrid(const QRectF& destinationRect);

// `crop` reduced to one pixel per block of the grid of `destinationRect` (image points),
// each pixel the average of the source pixels of its block. None if the grid cannot be
// allocated or the crop is empty.
[[nodiscard]] std::optional<QImage> makePixelatedImage(const QImage& crop, const QRectF& destinationRect);

// The image under the shape's rectangle, coarsened into hard-edged blocks. The rectangle is
// first limited to the image (`destinationSize`, points), so that every block sits over the
// pixels it was sampled from even when the shape reaches past an edge.
void drawPixelated(
    QPainter& painter, const AnnotationShape& shape, const Image& baseImage, QSizeF destinationSize, QPointF origin);

// Dims (origin, canvasSize) except for a rounded hole over the shape's rectangle, and rings
// the hole.
void drawSpotlight(QPainter& painter, const AnnotationShape& shape, QSizeF canvasSize, QPointF origin);
// The same with the dimming limited to `area` (painter space), which must contain the hole.
void drawSpotlight(QPainter& painter, const AnnotationShape& shape, const QPainterPath& area, QPointF origin);

// The pixels a lens samples: the frame shrunk by the zoom (at least 8 points each way),
// centred on the focus and kept inside the image where the image is large enough.
[[nodiscard]] QRect magnifierSamplePixelRect(
    const QRectF& frame, QPointF focus, QSizeF imageSize, QSize pixelSize, double zoom);

// A round lens over the shape's frame showing the unannotated base image around the focus
// enlarged, and its ring.
void drawMagnifier(
    QPainter& painter, const AnnotationShape& shape, const Image& baseImage, QSizeF destinationSize, QPointF origin);

// How a window background style frames the image.
struct BackdropFrame {
    double cornerRadius;
    bool castsShadow;
};
[[nodiscard]] BackdropFrame backdropFrame(WindowBackgroundStyle style);

// The shadow of a framed image: black at alpha 0.25, blur radius 32, 12 points down.
inline constexpr double backdropShadowAlpha = 0.25;
inline constexpr double backdropShadowBlurRadius = 32;
inline constexpr double backdropShadowOffset = 12;

// Paints a framed picture on `canvas`, a new transparent image whose size in points is
// `canvasSize` (the pixel density is its pixel size over that): the style's background,
// then the image into `imageRect` and whatever `drawOverImage` paints over it, both cut
// to the image's rounded rectangle and, for every style but trimShadow, casting one soft
// shadow together. `drawOverImage` receives a painter in canvas points, y down.
void drawBackdrop(QImage& canvas, QSizeF canvasSize, const Image& image, const QRectF& imageRect,
    WindowBackgroundStyle style, const std::function<void(QPainter&)>& drawOverImage = {});

} // namespace ImageEffectRenderer
