#include "ui/AnnotationShadows.h"

#include "engine/FlattenedImageRenderer.h"
#include "engine/ShadowRenderer.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace AnnotationShadows {

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
    const double sigma = ShadowRenderer::sigmaForBlurRadius(blurRadius) * k;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const AnnotationShape& shape : shapes) {
        silhouette.fill(Qt::transparent);
        {
            QPainter cells(&silhouette);
            cells.setRenderHint(QPainter::Antialiasing, true);
            cells.scale(k, k);
            FlattenedImageRenderer::drawAnnotationPasses(cells, image, std::span(&shape, 1), QPointF(0, 0));
        }
        const ShadowRenderer::Shadow shadow = ShadowRenderer::castShadow(silhouette, silhouette.rect(),
            QColor::fromRgbF(0, 0, 0, float(alpha)), QPointF(sigma, sigma), QPointF(0, offset * k));
        if (shadow.image.isNull())
            continue;
        const QRectF& cellsRect = shadow.targetRect;
        painter.drawImage(QRectF(cellsRect.topLeft() / k + origin, cellsRect.size() / k), shadow.image);
    }
    painter.restore();
}

} // namespace AnnotationShadows
