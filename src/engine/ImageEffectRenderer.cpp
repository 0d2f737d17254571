#include "engine/ImageEffectRenderer.h"

#include "engine/DrawingPrimitives.h"
#include "engine/ShadowRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ImageEffectRenderer {

namespace {

using DrawingPrimitives::withAlpha;

// Cell `index` of `count` equal cells over `length` pixels; a cell narrower than one
// pixel takes the pixel under its centre.
std::pair<int, int> cellSpan(int index, int count, int length)
{
    int begin = int(std::int64_t(index) * length / count);
    int end = int(std::int64_t(index + 1) * length / count);
    if (end <= begin) {
        begin = std::min(int((std::int64_t(2 * index + 1) * length) / (2 * count)), length - 1);
        end = begin + 1;
    }
    return { begin, end };
}

struct ChannelSums {
    std::uint64_t blue = 0, green = 0, red = 0, alpha = 0, count = 0;

    void add(QRgb pixel)
    {
        blue += pixel & 0xFF;
        green += (pixel >> 8) & 0xFF;
        red += (pixel >> 16) & 0xFF;
        alpha += pixel >> 24;
        ++count;
    }
    [[nodiscard]] QRgb average() const
    {
        const auto mean = [this](std::uint64_t sum) { return unsigned((sum + count / 2) / count); };
        return (mean(alpha) << 24) | (mean(red) << 16) | (mean(green) << 8) | mean(blue);
    }
};

// Each output pixel is the average of the premultiplied pixels of its block, so one
// pass over the region is all the filtering there is.
QImage reducedToBlocks(const QImage& source, const QRect& area, QSize grid)
{
    QImage reduced(grid, QImage::Format_ARGB32_Premultiplied);
    if (reduced.isNull())
        return reduced;
    std::vector<ChannelSums> sums(size_t(grid.width()));
    for (int row = 0; row < grid.height(); ++row) {
        std::fill(sums.begin(), sums.end(), ChannelSums {});
        const auto [top, bottom] = cellSpan(row, grid.height(), area.height());
        for (int y = top; y < bottom; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(area.y() + y)) + area.x();
            for (int column = 0; column < grid.width(); ++column) {
                const auto [left, right] = cellSpan(column, grid.width(), area.width());
                for (int x = left; x < right; ++x)
                    sums[size_t(column)].add(line[x]);
            }
        }
        auto* out = reinterpret_cast<QRgb*>(reduced.scanLine(row));
        for (int column = 0; column < grid.width(); ++column)
            out[column] = sums[size_t(column)].average();
    }
    return reduced;
}

// The pixels in a form the block reduction reads directly: premultiplied 32-bit ARGB.
QImage premultipliedArgb(const QImage& pixels)
{
    if (pixels.format() == QImage::Format_ARGB32_Premultiplied || pixels.format() == QImage::Format_RGB32)
        return pixels;
    return pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void paintBackground(QPainter& painter, QSizeF canvasSize, WindowBackgroundStyle style)
{
    const QRectF canvas(QPointF(0, 0), canvasSize);
    switch (style) {
    case WindowBackgroundStyle::wallpaper: {
        // 135 degrees in a y-up space: from the bottom-right corner (blue) to the top-left (pink).
        const QPointF center = canvas.center();
        const double reach = (canvasSize.width() + canvasSize.height()) / 4;
        QLinearGradient gradient(center + QPointF(reach, reach), center - QPointF(reach, reach));
        gradient.setColorAt(0, QColor::fromRgbF(0.29f, 0.56f, 0.96f));
        gradient.setColorAt(1, QColor::fromRgbF(0.96f, 0.43f, 0.62f));
        painter.fillRect(canvas, gradient);
        break;
    }
    case WindowBackgroundStyle::transparent:
        break;
    case WindowBackgroundStyle::solidColor:
        painter.fillRect(canvas, QColor::fromRgbF(0.18f, 0.19f, 0.22f));
        break;
    case WindowBackgroundStyle::trimShadow:
        painter.fillRect(canvas, Qt::white);
        break;
    }
}

// Clears what lies outside the rounded rectangle in the four corners of `rect`, with
// antialiased edges (a painter clip path would cut them hard).
void roundCorners(QPainter& painter, const QRectF& rect, double radius)
{
    QPainterPath square;
    square.addRect(rect);
    QPainterPath rounded;
    rounded.addRoundedRect(rect, radius, radius);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(square.subtracted(rounded), Qt::black);
    painter.restore();
}

void castShadowBehind(QPainter& painter, const QImage& canvas, const QRect& imagePixels, QPointF scale)
{
    const double sigma = ShadowRenderer::sigmaForBlurRadius(backdropShadowBlurRadius);
    const ShadowRenderer::Shadow shadow
        = ShadowRenderer::castShadow(canvas, imagePixels, withAlpha(Qt::black, backdropShadowAlpha),
            QPointF(sigma * scale.x(), sigma * scale.y()), QPointF(0, backdropShadowOffset * scale.y()));
    if (shadow.image.isNull())
        return;
    painter.save();
    painter.resetTransform();
    painter.setClipping(false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    painter.drawImage(shadow.targetRect, shadow.image);
    painter.restore();
}

bool isOpaque(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// Where the shadow and the background can still show: everywhere but the part of the
// picture known to be opaque (its rectangle without the rounded corners). Skipping that
// part saves two blends of nearly every pixel of a large export.
QRegion regionBehind(const QImage& canvas, const QRectF& imageArea, double cornerRadius)
{
    const QRegion everything(canvas.rect());
    const int left = int(std::ceil(imageArea.left())), top = int(std::ceil(imageArea.top()));
    const int right = int(std::floor(imageArea.right())), bottom = int(std::floor(imageArea.bottom()));
    const int inset = int(std::ceil(cornerRadius));
    const QRect across(QPoint(left, top + inset), QPoint(right - 1, bottom - 1 - inset));
    const QRect down(QPoint(left + inset, top), QPoint(right - 1 - inset, bottom - 1));
    if (across.isEmpty() || down.isEmpty())
        return everything;
    const QRect above(down.topLeft(), QPoint(down.right(), across.top() - 1));
    const QRect below(QPoint(down.left(), across.bottom() + 1), down.bottomRight());
    if (!isOpaque(canvas, across) || !isOpaque(canvas, above) || !isOpaque(canvas, below))
        return everything;
    return everything.subtracted(QRegion(across).united(down));
}

} // namespace

QRect imageSpacePixelRect(const QRectF& rect, QSizeF imageSize, QSize pixelSize)
{
    if (!(imageSize.width() > 0) || !(imageSize.height() > 0))
        return {};
    const double scaleX = pixelSize.width() / imageSize.width();
    const double scaleY = pixelSize.height() / imageSize.height();
    return DrawingPrimitives::outwardRoundedPixels(
        QRectF(scaleX * rect.x(), scaleY * rect.y(), scaleX * rect.width(), scaleY * rect.height()));
}

QSize pixelationGrid(const QRectF& destinationRect)
{
    const auto cells = [](double length) {
        const double count = std::ceil(length / pixelBlockSize);
        return count >= 1 ? int(std::min(count, double(1 << 20))) : 1;
    };
    return QSize(cells(destinationRect.width()), cells(destinationRect.height()));
}

std::optional<QImage> makePixelatedImage(const QImage& crop, const QRectF& destinationRect)
{
    if (crop.isNull())
        return std::nullopt;
    const QImage source = premultipliedArgb(crop);
    QImage reduced = reducedToBlocks(source, source.rect(), pixelationGrid(destinationRect));
    if (reduced.isNull())
        return std::nullopt;
    return reduced;
}

void drawPixelated(
    QPainter& painter, const AnnotationShape& shape, const Image& baseImage, QSizeF destinationSize, QPointF origin)
{
    const auto* pixelate = std::get_if<AnnotationKinds::Pixelate>(&shape.kind);
    if (!pixelate || baseImage.pixels().isNull())
        return;
    const QRectF region = pixelate->rect.intersected(QRectF(QPointF(0, 0), destinationSize));
    if (region.isEmpty())
        return;
    const QImage& pixels = baseImage.pixels();
    const QRect sample = imageSpacePixelRect(region, destinationSize, pixels.size());
    const QRect crop = sample.intersected(pixels.rect());
    if (sample.width() <= 1 || sample.height() <= 1 || crop.isEmpty())
        return;
    const QImage blocks = reducedToBlocks(premultipliedArgb(pixels), crop, pixelationGrid(region));
    if (blocks.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(DrawingPrimitives::outwardRounded(region).translated(origin), blocks);
    painter.restore();
}

void drawSpotlight(QPainter& painter, const AnnotationShape& shape, QSizeF canvasSize, QPointF origin)
{
    QPainterPath canvas;
    canvas.addRect(QRectF(origin, canvasSize));
    drawSpotlight(painter, shape, canvas, origin);
}

void drawSpotlight(QPainter& painter, const AnnotationShape& shape, const QPainterPath& area, QPointF origin)
{
    const auto* spotlight = std::get_if<AnnotationKinds::Spotlight>(&shape.kind);
    if (!spotlight)
        return;
    QPainterPath hole;
    hole.addRoundedRect(spotlight->rect.translated(origin), spotlightCornerRadius, spotlightCornerRadius);
    QPainterPath dimmed = area;
    dimmed.setFillRule(Qt::OddEvenFill);
    dimmed.addPath(hole);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(dimmed, withAlpha(Qt::black, spotlightDimAlpha));
    painter.strokePath(hole, QPen(withAlpha(shape.style.color, 0.9), std::max(shape.style.lineWidth * 0.8, 2.0)));
    painter.restore();
}

QRect magnifierSamplePixelRect(const QRectF& frame, QPointF focus, QSizeF imageSize, QSize pixelSize, double zoom)
{
    if (!(imageSize.width() > 0) || !(imageSize.height() > 0))
        return {};
    const double z = std::max(zoom, 1.1);
    const double sampleWidth = std::max(frame.width() / z, 8.0);
    const double sampleHeight = std::max(frame.height() / z, 8.0);
    // Lower bound first: when the image is narrower than the sample, the upper bound wins.
    const double centerX = std::min(std::max(focus.x(), sampleWidth / 2), imageSize.width() - sampleWidth / 2);
    const double centerY = std::min(std::max(focus.y(), sampleHeight / 2), imageSize.height() - sampleHeight / 2);
    return imageSpacePixelRect(
        QRectF(centerX - sampleWidth / 2, centerY - sampleHeight / 2, sampleWidth, sampleHeight), imageSize, pixelSize);
}

void drawMagnifier(
    QPainter& painter, const AnnotationShape& shape, const Image& baseImage, QSizeF destinationSize, QPointF origin)
{
    const auto* magnifier = std::get_if<AnnotationKinds::Magnifier>(&shape.kind);
    if (!magnifier || baseImage.pixels().isNull())
        return;
    const QImage& pixels = baseImage.pixels();
    const QRect sample
        = magnifierSamplePixelRect(magnifier->frame, magnifier->focus, destinationSize, pixels.size(), magnifierZoom);
    const QRect crop = sample.intersected(pixels.rect());
    if (sample.width() <= 1 || sample.height() <= 1 || crop.isEmpty())
        return;
    const QRectF lens = magnifier->frame.translated(origin);
    QPainterPath circle;
    circle.addEllipse(lens);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.save();
    painter.setClipPath(circle, Qt::IntersectClip);
    painter.drawImage(lens, pixels, crop);
    painter.restore();
    // The ring, at least 3 points wide, covers the clip's edge.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(shape.style.color, 0.95), std::max(shape.style.lineWidth * 0.9, 3.0)));
    painter.drawEllipse(lens);
    painter.restore();
}

BackdropFrame backdropFrame(WindowBackgroundStyle style)
{
    switch (style) {
    case WindowBackgroundStyle::wallpaper:
    case WindowBackgroundStyle::transparent:
    case WindowBackgroundStyle::solidColor:
        break;
    case WindowBackgroundStyle::trimShadow:
        return { 16, false };
    }
    return { 28, true };
}

void drawBackdrop(QImage& canvas, QSizeF canvasSize, const Image& image, const QRectF& imageRect,
    WindowBackgroundStyle style, const std::function<void(QPainter&)>& drawOverImage)
{
    if (canvas.isNull() || !(canvasSize.width() > 0) || !(canvasSize.height() > 0))
        return;
    const QPointF scale(canvas.width() / canvasSize.width(), canvas.height() / canvasSize.height());
    const QTransform toPixels = QTransform::fromScale(scale.x(), scale.y());
    const QRect imagePixels = DrawingPrimitives::outwardRoundedPixels(toPixels.mapRect(imageRect));
    const BackdropFrame frame = backdropFrame(style);

    // The picture goes onto the transparent canvas first and the shadow and background are
    // slid beneath it (destination-over): one canvas-sized buffer instead of two.
    QPainter painter(&canvas);
    painter.setClipRect(imagePixels);
    painter.setTransform(toPixels);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(imageRect, image.pixels());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (drawOverImage) {
        painter.save();
        drawOverImage(painter);
        painter.restore();
    }
    painter.setClipping(false);
    roundCorners(painter, imageRect, frame.cornerRadius);
    painter.resetTransform();
    painter.setClipRegion(
        regionBehind(canvas, toPixels.mapRect(imageRect), frame.cornerRadius * std::max(scale.x(), scale.y())));
    if (frame.castsShadow)
        castShadowBehind(painter, canvas, imagePixels, scale);
    painter.setTransform(toPixels);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
    paintBackground(painter, canvasSize, style);
}

} // namespace ImageEffectRenderer
