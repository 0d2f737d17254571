// Stacking separate captures as cards on a padded canvas.
#include "engine/ImageCompositionService.h"

#include "engine/CompositionCanvas.h"
#include "engine/ShadowRenderer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ImageCompositionService {

namespace {

constexpr double cardCornerRadius = 18;

const QColor cardShadowColor = QColor::fromRgbF(0, 0, 0, 0.12f);
constexpr double cardShadowBlurRadius = 16;
constexpr double cardShadowOffset = 6; // points, downwards

// The shadow of the card's rounded outline, cast from a silhouette at one cell per point:
// finer than the blur can show, and independent of the picture's density.
void drawCardShadow(QPainter& painter, const QRectF& card, QPointF density)
{
    QImage silhouette(std::max(1, static_cast<int>(std::ceil(card.width()))),
        std::max(1, static_cast<int>(std::ceil(card.height()))), QImage::Format_ARGB32_Premultiplied);
    if (silhouette.isNull())
        return;
    silhouette.fill(Qt::transparent);
    {
        QPainter outline(&silhouette);
        outline.setRenderHint(QPainter::Antialiasing);
        outline.setPen(Qt::NoPen);
        outline.setBrush(Qt::black);
        outline.drawRoundedRect(QRectF(QPointF(0, 0), card.size()), cardCornerRadius, cardCornerRadius);
    }
    const double sigma = ShadowRenderer::sigmaForBlurRadius(cardShadowBlurRadius);
    const ShadowRenderer::Shadow shadow = ShadowRenderer::castShadow(
        silhouette, silhouette.rect(), cardShadowColor, QPointF(sigma, sigma), QPointF(0, cardShadowOffset));
    if (shadow.image.isNull())
        return;
    const QRectF points = shadow.targetRect.translated(card.topLeft());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(points.x() * density.x(), points.y() * density.y(), points.width() * density.x(),
                          points.height() * density.y()),
        shadow.image);
    painter.restore();
}

void drawCard(QPainter& painter, const Image& image, const QRectF& frame, QPointF density)
{
    drawCardShadow(painter, frame, density);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(frame.x() * density.x(), frame.y() * density.y(), frame.width() * density.x(),
                               frame.height() * density.y()),
        cardCornerRadius * density.x(), cardCornerRadius * density.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline, Qt::white);
    painter.setClipPath(outline);
    CompositionCanvas::drawImage(painter, image, frame, density);
    painter.restore();
}

} // namespace

std::optional<Image> stackVertically(
    const std::vector<Image>& images, double spacing, double padding, const QColor& backgroundColor)
{
    std::vector<Image> cards;
    std::copy_if(images.begin(), images.end(), std::back_inserter(cards),
        [](const Image& image) { return image.width() > 0 && image.height() > 0; });
    if (cards.empty())
        return std::nullopt;
    double maxWidth = 0;
    double totalHeight = 0;
    for (const Image& card : cards) {
        maxWidth = std::max(maxWidth, card.width());
        totalHeight += card.height();
    }
    const QSizeF size(
        maxWidth + 2 * padding, totalHeight + 2 * padding + static_cast<double>(cards.size() - 1) * spacing);
    const QPointF density = CompositionCanvas::density(cards);
    std::optional<QImage> canvas = CompositionCanvas::create(size, density, backgroundColor);
    if (!canvas)
        return std::nullopt;
    QPainter painter(&*canvas);
    double top = padding;
    for (const Image& card : cards) {
        drawCard(painter, card, QRectF((maxWidth - card.width()) * 0.5 + padding, top, card.width(), card.height()),
            density);
        top += card.height() + spacing;
    }
    painter.end();
    return Image(std::move(*canvas), size);
}

} // namespace ImageCompositionService
