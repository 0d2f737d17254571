#include "engine/FlattenedImageRenderer.h"

#include "engine/AnnotationRenderer.h"
#include "engine/DrawingPrimitives.h"
#include "engine/ImageEffectRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace FlattenedImageRenderer {

namespace {

template <typename Kind> bool holds(const AnnotationShape& shape)
{
    return std::holds_alternative<Kind>(shape.kind);
}

bool isImageEffect(const AnnotationShape& shape)
{
    return holds<AnnotationKinds::Pixelate>(shape) || holds<AnnotationKinds::Magnifier>(shape)
        || holds<AnnotationKinds::Spotlight>(shape);
}

// A canvas of whole pixels at the base image's density on each axis.
QImage newCanvas(QSizeF canvasSize, const Image& baseImage)
{
    const double width = std::ceil(canvasSize.width() * baseImage.scaleX() - 1e-6);
    const double height = std::ceil(canvasSize.height() * baseImage.scaleY() - 1e-6);
    if (!(width >= 1 && height >= 1 && width <= 1 << 20 && height <= 1 << 20))
        throw FlattenedImageError();
    QImage canvas(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        throw FlattenedImageError();
    return canvas;
}

// Where a spotlight can differ from a plain dimming: its hole and ring, with room for the
// ring's width and antialiasing, in whole points.
QRect spotlightReach(const AnnotationShape& shape, QPointF origin)
{
    const auto& spotlight = std::get<AnnotationKinds::Spotlight>(shape.kind);
    const double margin = std::max(shape.style.lineWidth * 0.8, 2.0) / 2 + 2;
    return DrawingPrimitives::outwardRoundedPixels(
        spotlight.rect.translated(origin).adjusted(-margin, -margin, margin, margin));
}

// Disjoint rectangles as one even-odd path: adding a shape inside them cuts it out.
QPainterPath pathOf(const QRegion& region)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QRect& rect : region)
        path.addRect(rect);
    return path;
}

// Spotlights one after another, with the work of little more than one: away from every
// hole and ring, n dimmings at 0.45 are one at 1 − 0.55ⁿ, so only the holes' surroundings
// are drawn shape by shape (which keeps each ring under the dimming of later spotlights).
void drawSpotlights(QPainter& painter, std::span<const AnnotationShape> annotations, QSizeF imageSize, QPointF origin)
{
    const QRect area = DrawingPrimitives::outwardRoundedPixels(QRectF(origin, imageSize));
    std::vector<const AnnotationShape*> spotlights;
    QRegion reach;
    for (const AnnotationShape& shape : annotations)
        if (holds<AnnotationKinds::Spotlight>(shape)) {
            spotlights.push_back(&shape);
            reach += spotlightReach(shape, origin).intersected(area);
        }
    if (spotlights.empty())
        return;
    QPainterPath away = pathOf(reach);
    away.addRect(QRectF(origin, imageSize));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double remaining = std::pow(1 - ImageEffectRenderer::spotlightDimAlpha, double(spotlights.size()));
    painter.fillPath(away, DrawingPrimitives::withAlpha(Qt::black, 1 - remaining));
    painter.restore();
    const QPainterPath near = pathOf(reach);
    for (const AnnotationShape* shape : spotlights)
        ImageEffectRenderer::drawSpotlight(painter, *shape, near, origin);
}

} // namespace

bool usesBackdrop(bool includeBackdrop, bool backdropEnabled, WindowBackgroundStyle style)
{
    return includeBackdrop && backdropEnabled && style != WindowBackgroundStyle::transparent;
}

Layout layout(QSizeF imageSize, bool backdrop)
{
    const double padding = backdrop ? backdropPadding : 0;
    return { QSizeF(imageSize.width() + 2 * padding, imageSize.height() + 2 * padding),
        QRectF(QPointF(padding, padding), imageSize) };
}

void drawAnnotationPasses(
    QPainter& painter, const Image& baseImage, std::span<const AnnotationShape> annotations, QPointF origin)
{
    const QSizeF imageSize = baseImage.size();
    for (const AnnotationShape& shape : annotations)
        ImageEffectRenderer::drawPixelated(painter, shape, baseImage, imageSize, origin);
    for (const AnnotationShape& shape : annotations)
        ImageEffectRenderer::drawMagnifier(painter, shape, baseImage, imageSize, origin);
    drawSpotlights(painter, annotations, imageSize, origin);
    for (const AnnotationShape& shape : annotations)
        if (!isImageEffect(shape))
            AnnotationRenderer::draw(painter, shape, imageSize, origin);
}

std::optional<Image> render(const Image& baseImage, std::span<const AnnotationShape> annotations, bool includeBackdrop,
    bool backdropEnabled, WindowBackgroundStyle style)
{
    if (baseImage.isNull())
        return std::nullopt;
    const bool backdrop = usesBackdrop(includeBackdrop, backdropEnabled, style);
    const Layout geometry = layout(baseImage.size(), backdrop);
    const QPointF scale(baseImage.scaleX(), baseImage.scaleY());
    const auto drawAnnotations = [&](QPainter& painter) {
        drawAnnotationPasses(painter, baseImage, annotations, geometry.imageRect.topLeft());
    };

    if (backdrop) {
        QImage canvas = newCanvas(geometry.canvasSize, baseImage);
        canvas.fill(Qt::transparent);
        ImageEffectRenderer::drawBackdrop(
            canvas, geometry.canvasSize, baseImage, geometry.imageRect, style, drawAnnotations);
        return Image(std::move(canvas), geometry.canvasSize);
    }
    // Without a frame the canvas is the base image itself: its pixels are copied once, when
    // the painter first writes to them.
    QImage canvas = baseImage.pixels().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        throw FlattenedImageError();
    if (!annotations.empty()) {
        QPainter painter(&canvas);
        painter.setTransform(QTransform::fromScale(scale.x(), scale.y()));
        drawAnnotations(painter);
    }
    return Image(std::move(canvas), geometry.canvasSize);
}

} // namespace FlattenedImageRenderer
