#include "ui/pinned/PinnedCardShadow.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

// One stretch of the shadow image along one axis and where it lands.
struct Slice {
    double sourceStart;
    double sourceEnd;
    double targetStart;
    double targetEnd;
};

// The image's pixels [0, pixels) cover [start, start + pixels * scale) of the cast card; a
// card `stretch` longer gets a two-pixel band at the middle widened by that much.
std::vector<Slice> slices(int pixels, double start, double scale, double stretch)
{
    if (stretch <= 0 || pixels < 4)
        return { { 0, double(pixels), start, start + pixels * scale } };
    const double bandStart = pixels / 2 - 1;
    const double bandEnd = bandStart + 2;
    return {
        { 0, bandStart, start, start + bandStart * scale },
        { bandStart, bandEnd, start + bandStart * scale, start + bandEnd * scale + stretch },
        { bandEnd, double(pixels), start + bandEnd * scale + stretch, start + pixels * scale + stretch },
    };
}

} // namespace

PinnedCardShadow::PinnedCardShadow(double cornerRadius, QColor color, double blurRadius, QPointF offset)
    : m_cornerRadius(cornerRadius)
    , m_color(color)
    , m_sigma(ShadowRenderer::sigmaForBlurRadius(blurRadius))
    , m_offset(offset)
{ }

void PinnedCardShadow::paint(QPainter& painter, const QRectF& card)
{
    if (card.isEmpty())
        return;
    // Corners and three deviations of blur on both ends, and a band of flat shadow between.
    const double largestCast = 2 * (m_cornerRadius + 3 * m_sigma) + 2 * m_sigma;
    const QSizeF size(std::min(card.width(), largestCast), std::min(card.height(), largestCast));
    if (size != m_castSize)
        cast(size);
    const QImage& image = m_shadow.image;
    if (image.isNull())
        return;
    const QRectF& target = m_shadow.targetRect;
    const std::vector<Slice> columns = slices(
        image.width(), card.left() + target.left(), target.width() / image.width(), card.width() - size.width());
    const std::vector<Slice> rows = slices(
        image.height(), card.top() + target.top(), target.height() / image.height(), card.height() - size.height());
    for (const Slice& row : rows) {
        for (const Slice& column : columns) {
            painter.drawImage(
                QRectF(QPointF(column.targetStart, row.targetStart), QPointF(column.targetEnd, row.targetEnd)), image,
                QRectF(QPointF(column.sourceStart, row.sourceStart), QPointF(column.sourceEnd, row.sourceEnd)));
        }
    }
}

void PinnedCardShadow::cast(QSizeF size)
{
    QImage silhouette(
        QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))), QImage::Format_ARGB32_Premultiplied);
    silhouette.fill(Qt::transparent);
    QPainter mask(&silhouette);
    mask.setRenderHint(QPainter::Antialiasing);
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(QPointF(0, 0), size), m_cornerRadius, m_cornerRadius);
    mask.fillPath(rounded, Qt::black);
    mask.end();
    m_shadow = ShadowRenderer::castShadow(silhouette, silhouette.rect(), m_color, QPointF(m_sigma, m_sigma), m_offset);
    m_castSize = size;
}
