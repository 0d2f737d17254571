// Painting of the canvas, back to front: the framed image with its committed annotations
// (cached), the gesture's preview, the crop shading and the point tools' hint.
#include "ui/editor/AnnotationCanvas.h"

#include "domain/AnnotationGeometry.h"
#include "domain/AnnotationGesture.h"
#include "engine/AnnotationRenderer.h"
#include "engine/DrawingPrimitives.h"
#include "engine/FlattenedImageRenderer.h"
#include "ui/editor/AnnotationShadows.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {

const QColor systemBlue(0, 122, 255);
const QColor systemYellow(255, 204, 0);

constexpr double cropShadeAlpha = 0.22;
constexpr double hintAlpha = 0.85;
constexpr double hintOffset = 6;

// The shape a gesture would make, drawn in the canvas's own blue whatever the editor's
// colour and width, so a preview never passes for a committed annotation.
std::optional<AnnotationShape> previewShape(AnnotationTool tool, QPointF start, QPointF end,
    const std::vector<QPointF>& points, const QString& textDraft, const QString& pickedColorHex, double textSize)
{
    using namespace AnnotationKinds;
    std::optional<AnnotationShape::Kind> kind;
    switch (tool) {
    case AnnotationTool::crop:
        kind = Rectangle { AnnotationGeometry::normalizedRect(start, end) };
        break;
    case AnnotationTool::text:
        kind = Text { start, textDraft };
        break;
    case AnnotationTool::colorPicker:
        kind = Text { start, pickedColorHex };
        break;
    case AnnotationTool::callout:
        kind = Callout { start, 1 };
        break;
    default:
        kind = AnnotationGesture::dragKind(tool, start, end, points);
        break;
    }
    if (!kind)
        return std::nullopt;
    return AnnotationShape { QUuid(), std::move(*kind),
        AnnotationStyle { DrawingPrimitives::withAlpha(systemBlue, 0.8), 3, textSize } };
}

ShadowRenderer::Shadow castFrameShadow(QSizeF frameSize)
{
    const double k = AnnotationShadows::resolution;
    QImage outline(std::max(1, int(std::ceil(frameSize.width() * k))),
        std::max(1, int(std::ceil(frameSize.height() * k))), QImage::Format_ARGB32_Premultiplied);
    if (outline.isNull())
        return {};
    outline.fill(Qt::transparent);
    {
        QPainter painter(&outline);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(k, k);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const double radius = CommittedLayerCache::frameCornerRadius;
        painter.drawRoundedRect(QRectF(QPointF(0, 0), frameSize), radius, radius);
    }
    const double sigma = ShadowRenderer::sigmaForBlurRadius(AnnotationShadows::blurRadius) * k;
    ShadowRenderer::Shadow shadow = ShadowRenderer::castShadow(outline, outline.rect(),
        QColor::fromRgbF(0, 0, 0, float(AnnotationShadows::alpha)), QPointF(sigma, sigma),
        QPointF(0, AnnotationShadows::offset * k));
    const QRectF& target = shadow.targetRect;
    shadow.targetRect = QRectF(target.topLeft() / k, target.size() / k);
    return shadow;
}

QPainterPath roundedFrame(const QRectF& frame)
{
    QPainterPath path;
    path.addRoundedRect(frame, CommittedLayerCache::frameCornerRadius, CommittedLayerCache::frameCornerRadius);
    return path;
}

} // namespace

void AnnotationCanvas::paintEvent(QPaintEvent* event)
{
    if (!m_image)
        return;
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(m_magnification, m_magnification);
    const QRectF frame = drawnImageFrame();
    paintImageFrame(painter, frame);
    paintLiftedArrow(painter, frame);
    paintPreview(painter, frame);
    paintCropSelection(painter, frame);
    paintPointToolHint(painter, frame);
}

void AnnotationCanvas::paintImageFrame(QPainter& painter, const QRectF& frame)
{
    if (m_frameShadowSize != frame.size()) {
        m_frameShadow = castFrameShadow(frame.size());
        m_frameShadowSize = frame.size();
    }
    const double radius = CommittedLayerCache::frameCornerRadius;
    if (!m_frameShadow.image.isNull()) {
        painter.save();
        // Only the rim shows: the rest lies under the opaque frame, and stretching the
        // shadow over the whole image would cost as much as the image itself.
        QRegion rim(m_frameShadow.targetRect.translated(frame.topLeft()).toAlignedRect());
        rim -= QRegion(frame.adjusted(radius, radius, -radius, -radius).toAlignedRect());
        painter.setClipRegion(rim, Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(m_frameShadow.targetRect.translated(frame.topLeft()), m_frameShadow.image);
        painter.restore();
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(frame, radius, radius);
    painter.restore();

    paintCommittedLayer(painter, frame);

    painter.save();
    painter.setBrush(Qt::NoBrush);
    // The system separator colour, black, with its alpha replaced.
    QPen separator(DrawingPrimitives::withAlpha(Qt::black, 0.35), 1);
    separator.setCosmetic(true);
    painter.setPen(separator);
    painter.drawRoundedRect(frame, radius, radius);
    painter.restore();
}

// The layer is rendered at the device's resolution for the current magnification, so it is
// normally copied pixel for pixel; only a layer capped for size is scaled on the way. While an
// arrow is lifted out of it, that arrow's shadow goes between the image and the others.
void AnnotationCanvas::paintCommittedLayer(QPainter& painter, const QRectF& frame)
{
    const double devicePixelRatio = devicePixelRatioF();
    const double scale = CommittedLayerCache::layerScale(m_image->size(), m_magnification * devicePixelRatio);
    const QImage& layer = m_committedLayer.layer(scale);
    if (layer.isNull())
        return;
    const QTransform toWidget = painter.worldTransform();
    const QRectF target = toWidget.mapRect(frame);
    const QSizeF targetPixels = target.size() * devicePixelRatio;
    const bool oneToOne
        = std::abs(targetPixels.width() - layer.width()) < 1 && std::abs(targetPixels.height() - layer.height()) < 1;
    const auto drawLayer = [&](const QImage& pixels) {
        painter.save();
        painter.resetTransform();
        if (oneToOne) {
            const QPointF origin(std::round(target.x() * devicePixelRatio) / devicePixelRatio,
                std::round(target.y() * devicePixelRatio) / devicePixelRatio);
            painter.drawImage(QRectF(origin, QSizeF(pixels.size()) / devicePixelRatio), pixels);
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(target, pixels);
        }
        painter.restore();
    };
    drawLayer(layer);
    const QImage& annotations = m_committedLayer.annotationLayer();
    if (annotations.isNull())
        return;
    if (const AnnotationShape* lifted = liftedShape()) {
        painter.save();
        painter.setClipPath(roundedFrame(frame), Qt::IntersectClip);
        AnnotationShadows::draw(painter, *m_image, std::span(lifted, 1), frame.topLeft());
        painter.restore();
    }
    drawLayer(annotations);
}

const AnnotationShape* AnnotationCanvas::liftedShape() const
{
    const std::optional<QUuid> lifted = liftedArrow();
    if (!lifted)
        return nullptr;
    const auto shape = std::find_if(m_annotations.begin(), m_annotations.end(),
        [&](const AnnotationShape& candidate) { return candidate.id == *lifted; });
    return shape == m_annotations.end() ? nullptr : &*shape;
}

void AnnotationCanvas::paintLiftedArrow(QPainter& painter, const QRectF& frame) const
{
    const AnnotationShape* lifted = liftedShape();
    if (!lifted)
        return;
    painter.save();
    painter.setClipRect(frame, Qt::IntersectClip);
    FlattenedImageRenderer::drawAnnotationPasses(painter, *m_image, std::span(lifted, 1), frame.topLeft());
    painter.restore();
}

void AnnotationCanvas::paintPreview(QPainter& painter, const QRectF& frame) const
{
    const std::optional<QPointF> end = effectiveDragCurrent();
    if (!m_dragStart || !end || m_selectedTool == AnnotationTool::select)
        return;
    const std::optional<AnnotationShape> shape
        = previewShape(m_selectedTool, *m_dragStart, *end, m_dragPoints, m_textDraft, m_pickedColorHex, m_textSize);
    if (!shape)
        return;
    painter.save();
    painter.setClipPath(roundedFrame(frame), Qt::IntersectClip);
    AnnotationShadows::draw(painter, *m_image, std::span(&*shape, 1), frame.topLeft());
    painter.restore();
    painter.save();
    // Cut to the image like the committed layer, which is what an export keeps.
    painter.setClipRect(frame, Qt::IntersectClip);
    FlattenedImageRenderer::drawAnnotationPasses(painter, *m_image, std::span(&*shape, 1), frame.topLeft());
    painter.restore();
}

void AnnotationCanvas::paintCropSelection(QPainter& painter, const QRectF& frame) const
{
    if (!m_cropSelection)
        return;
    const QRectF selection = m_cropSelection->translated(frame.topLeft());
    QPainterPath shade;
    shade.setFillRule(Qt::OddEvenFill);
    shade.addRect(frame);
    shade.addRect(selection);
    painter.save();
    painter.fillPath(shade, QColor::fromRgbF(0, 0, 0, float(cropShadeAlpha)));
    // A screen-pixel outline: the selection must stay visible however far the view is zoomed out.
    QPen outline(systemYellow, 2);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(selection);
    painter.restore();
}

void AnnotationCanvas::paintPointToolHint(QPainter& painter, const QRectF& frame) const
{
    if (!m_dragCurrent || !actsOnClick(m_selectedTool))
        return;
    QString text;
    switch (m_selectedTool) {
    case AnnotationTool::colorPicker:
        text = m_pickedColorHex;
        break;
    case AnnotationTool::callout:
        text = QStringLiteral("Callout");
        break;
    default:
        text = m_textDraft.isEmpty() ? QStringLiteral("Text") : m_textDraft;
        break;
    }
    painter.save();
    painter.setFont(DrawingPrimitives::systemFont(m_textSize, QFont::DemiBold, painter.device()));
    painter.setPen(DrawingPrimitives::withAlpha(systemBlue, hintAlpha));
    const QPointF at = *m_dragCurrent + frame.topLeft() + QPointF(hintOffset, hintOffset);
    painter.drawText(QRectF(at, QSizeF(AnnotationRenderer::textLayoutWidth, AnnotationRenderer::textLayoutHeight)),
        Qt::TextWordWrap, text);
    painter.restore();
}
