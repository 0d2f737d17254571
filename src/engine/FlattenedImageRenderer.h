#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"
#include "domain/TrovixError.h"
#include "domain/WindowBackgroundStyle.h"

#include <QRectF>
#include <QSizeF>

#include <optional>
#include <span>

class QPainter;

// Thrown when the flattened picture is too large to allocate.
class FlattenedImageError : public TrovixError {
public:
    FlattenedImageError()
        : TrovixError(QStringLiteral("Obraz jest zbyt duży, by go przygotować."))
    { }
};

// The picture that leaves the editor: the base image with every annotation baked in and,
// when asked and enabled, framed by the window background. The result keeps the base
// image's pixel density, so a 2x capture exports at 2x.
namespace FlattenedImageRenderer {

inline constexpr double backdropPadding = 64;

// The window background is used only when asked for, enabled, and not the transparent style
// (which would add padding around nothing).
[[nodiscard]] bool usesBackdrop(bool includeBackdrop, bool backdropEnabled, WindowBackgroundStyle style);

// Where the image lies in the flattened canvas, and the canvas's size, in points.
struct Layout {
    QSizeF canvasSize;
    QRectF imageRect;
};
[[nodiscard]] Layout layout(QSizeF imageSize, bool backdrop);

// None for a null base image. Annotations are drawn in four passes, each through the list in
// order: pixelations, then lenses, then spotlights, then every vector kind — so a spotlight
// never dims a vector annotation and every pixelation and lens samples the unannotated base
// image. In a framed picture they are cut to the image's rounded rectangle. Throws
// FlattenedImageError when the canvas cannot be allocated.
[[nodiscard]] std::optional<Image> render(const Image& baseImage, std::span<const AnnotationShape> annotations,
    bool includeBackdrop, bool backdropEnabled, WindowBackgroundStyle style);

// The four passes alone, onto a painter in canvas points with the image at `origin`.
void drawAnnotationPasses(
    QPainter& painter, const Image& baseImage, std::span<const AnnotationShape> annotations, QPointF origin);

} // namespace FlattenedImageRenderer
