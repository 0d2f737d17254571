#include "ui/editor/AnnotationShadows.h"

#include "engine/FlattenedImageRenderer.h"
#include "engine/ShadowRenderer.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace AnnotationShadows {

namespace {

// The cells something was drawn in: a dragged arrow covers a sliver of the picture, and the
// blur's cost follows the area it is given.
QRect paintedArea(const QImage& cells)
{
    int left = cells.width(), right = -1, top = cells.height(), bottom = -1;
    for (int y = 0; y < cells.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(cells.constScanLine(y));
        for (int x = 0; x < cells.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

void draw(QPainter& painter, const Image& image, std::span<const AnnotationShape> shapes, QPointF origin)
{
    if (shapes.empty() || image.isNull())
        return;
    const double k = resolution;
    const QSizeF points = image.size();
    QImage silhouette(std::max(1, int(std::ceil(points.width() * k))), std::max(1, int(std::ceil(points.height() * k))),
        QImage::Format_ARGB32_Premultiplied);
    if (silhouette.isNull())
        return;
    silhouette.fill(Qt::transparent);
    {
        QPainter cells(&silhouette);
        cells.setRenderHint(QPainter::Antialiasing, true);
        cells.scale(k, k);
        FlattenedImageRenderer::drawAnnotationPasses(cells, image, shapes, QPointF(0, 0));
    }
    const double sigma = ShadowRenderer::sigmaForBlurRadius(blurRadius) * k;
    const ShadowRenderer::Shadow shadow = ShadowRenderer::castShadow(silhouette, paintedArea(silhouette),
        QColor::fromRgbF(0, 0, 0, float(alpha)), QPointF(sigma, sigma), QPointF(0, offset * k));
    if (shadow.image.isNull())
        return;
    const QRectF& cellsRect = shadow.targetRect;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(cellsRect.topLeft() / k + origin, cellsRect.size() / k), shadow.image);
    painter.restore();
}

} // namespace AnnotationShadows
