// Stacking separate captures as cards on a padded canvas.
#include "engine/ImageCompositionService.h"

#include "engine/CompositionCanvas.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ImageCompositionService {

namespace {

constexpr double cardCornerRadius = 18;

struct CardShadow {
    QColor color;
    double blurRadius;
    QPointF offset; // points, y down
};
const CardShadow cardShadow { QColor::fromRgbF(0, 0, 0, 0.12f), 16, QPointF(0, 6) };

// The share of a Gaussian of deviation `sigma`, centred at `position`, that falls inside
// [first, last]: the blurred edge profile of a box along one axis.
double coverage(double position, double first, double last, double sigma)
{
    const double scale = 1 / (sigma * std::sqrt(2.0));
    return 0.5 * (std::erf((last - position) * scale) - std::erf((first - position) * scale));
}

// FIXME: draws the shadow of the card's bounding rectangle, which is a little too dark right
// outside the rounded corners; move to the shared blurred-mask shadow once it is available.
// A Gaussian-blurred rectangle is the product of its two edge profiles, so no blur pass is
// needed. One cell per point is finer than the blur can show.
void drawCardShadow(QPainter& painter, const QRectF& card, const CardShadow& shadow, QPointF density)
{
    const double sigma = shadow.blurRadius / 2;
    const QRectF caster = card.translated(shadow.offset);
    const QRectF area = caster.adjusted(-3 * sigma, -3 * sigma, 3 * sigma, 3 * sigma);
    const int columns = std::max(1, static_cast<int>(std::ceil(area.width())));
    const int rows = std::max(1, static_cast<int>(std::ceil(area.height())));
    QImage cells(columns, rows, QImage::Format_ARGB32_Premultiplied);
    if (cells.isNull())
        return;
    std::vector<double> horizontal(static_cast<std::size_t>(columns));
    for (int x = 0; x < columns; ++x)
        horizontal[std::size_t(x)] = coverage(area.left() + x + 0.5, caster.left(), caster.right(), sigma);
    const QColor color = shadow.color.toRgb();
    for (int y = 0; y < rows; ++y) {
        const double vertical = coverage(area.top() + y + 0.5, caster.top(), caster.bottom(), sigma);
        auto* line = reinterpret_cast<QRgb*>(cells.scanLine(y));
        for (int x = 0; x < columns; ++x) {
            const double alpha = color.alphaF() * vertical * horizontal[std::size_t(x)];
            line[x] = qPremultiply(
                qRgba(color.red(), color.green(), color.blue(), static_cast<int>(std::lround(alpha * 255))));
        }
    }
    const QRectF target(area.x() * density.x(), area.y() * density.y(), columns * density.x(), rows * density.y());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, cells);
    painter.restore();
}

void drawCard(QPainter& painter, const Image& image, const QRectF& frame, QPointF density)
{
    drawCardShadow(painter, frame, cardShadow, density);
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
