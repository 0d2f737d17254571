#include "ui/capture/OverlayPainting.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

namespace OverlayPainting {

QFont systemFont(bool monospaced, int points, QFont::Weight weight)
{
    QFont result = QFontDatabase::systemFont(monospaced ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont);
    // A point of the overlay's view is one logical pixel of the screen.
    result.setPixelSize(points);
    result.setWeight(weight);
    return result;
}

QSizeF textSize(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    return { metrics.horizontalAdvance(text), metrics.height() };
}

void drawText(QPainter& painter, const OverlayCoordinates& coordinates, QPointF origin, const QString& text,
    const QFont& font, const QColor& color)
{
    const QSizeF size = textSize(text, font);
    const QRectF box = coordinates.toWidget(QRectF(origin, size));
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

void fillRoundedBox(
    QPainter& painter, const OverlayCoordinates& coordinates, const QRectF& box, double radius, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(coordinates.toWidget(box), radius, radius);
    painter.restore();
}

void fillWindow(QPainter& painter, const QRect& bounds, const QColor& color)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(bounds, color);
    painter.restore();
}

QColor white(double alpha)
{
    return QColor::fromRgbF(1, 1, 1, float(alpha));
}

QColor black(double alpha)
{
    return QColor::fromRgbF(0, 0, 0, float(alpha));
}

} // namespace OverlayPainting
