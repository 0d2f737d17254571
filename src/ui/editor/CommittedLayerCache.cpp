#include "ui/editor/CommittedLayerCache.h"

#include "engine/FlattenedImageRenderer.h"
#include "ui/editor/AnnotationShadows.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

void CommittedLayerCache::setContent(const Image& image, const std::vector<AnnotationShape>& annotations, bool apart)
{
    if (!m_image.isNull() && image.identity() == m_image.identity() && image.size() == m_image.size()
        && annotations == m_annotations && apart == m_apart)
        return;
    m_image = image;
    m_annotations = annotations;
    m_apart = apart;
    m_stale = true;
}

void CommittedLayerCache::clear()
{
    *this = CommittedLayerCache();
}

double CommittedLayerCache::layerScale(QSizeF imageSize, double devicePixelsPerPoint)
{
    const double area = imageSize.width() * imageSize.height();
    if (!(area > 0) || !(devicePixelsPerPoint > 0))
        return 0;
    return std::min(devicePixelsPerPoint, std::sqrt(maximumLayerPixels / area));
}

const QImage& CommittedLayerCache::layer(double scale)
{
    if (m_image.isNull() || !(scale > 0)) {
        m_layer = QImage();
        m_annotationLayer = QImage();
        return m_layer;
    }
    if (m_stale || scale != m_layerScale)
        renderLayer(scale);
    return m_layer;
}

// The base image at the layer's size. Qt's smooth scaling averages every source pixel, so a
// zoomed-out capture stays legible; it is slow, so the result is kept until the zoom or the
// image changes.
const QImage& CommittedLayerCache::scaledBase(QSize layerSize)
{
    const QImage& pixels = m_image.pixels();
    if (pixels.size() == layerSize)
        return pixels;
    if (m_scaledBase.size() != layerSize || m_scaledBaseIdentity != m_image.identity()) {
        m_scaledBase = pixels.scaled(layerSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaledBaseIdentity = m_image.identity();
    }
    return m_scaledBase;
}

namespace {

// Clears what lies outside the frame's rounded corners.
void cutCorners(QPainter& painter, const QRectF& frame)
{
    QPainterPath corners;
    corners.setFillRule(Qt::OddEvenFill);
    corners.addRect(frame);
    corners.addRoundedRect(frame, CommittedLayerCache::frameCornerRadius, CommittedLayerCache::frameCornerRadius);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(corners, Qt::black);
}

} // namespace

void CommittedLayerCache::renderLayer(double scale)
{
    const QSizeF points = m_image.size();
    const QSize size(std::max(1, int(std::ceil(points.width() * scale - 1e-6))),
        std::max(1, int(std::ceil(points.height() * scale - 1e-6))));
    m_layer = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_annotationLayer = m_apart ? QImage(size, QImage::Format_ARGB32_Premultiplied) : QImage();
    m_layerScale = scale;
    m_stale = false;
    if (m_layer.isNull() || (m_apart && m_annotationLayer.isNull()))
        return;
    const QRectF frame(QPointF(0, 0), points);
    const auto prepare = [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(double(size.width()) / points.width(), double(size.height()) / points.height());
        painter.setClipRect(frame);
    };

    m_layer.fill(Qt::transparent);
    QPainter painter(&m_layer);
    painter.drawImage(QPoint(0, 0), scaledBase(size));
    prepare(painter);
    AnnotationShadows::draw(painter, m_image, m_annotations, QPointF(0, 0));
    if (!m_apart)
        FlattenedImageRenderer::drawAnnotationPasses(painter, m_image, m_annotations, QPointF(0, 0));
    cutCorners(painter, frame);
    if (!m_apart)
        return;

    m_annotationLayer.fill(Qt::transparent);
    QPainter annotations(&m_annotationLayer);
    prepare(annotations);
    FlattenedImageRenderer::drawAnnotationPasses(annotations, m_image, m_annotations, QPointF(0, 0));
    cutCorners(annotations, frame);
}
