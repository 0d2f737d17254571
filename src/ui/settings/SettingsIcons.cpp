#include "ui/settings/SettingsIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace {

// Every symbol is drawn on a 24 × 24 grid.
constexpr double gridSize = 24.0;

QPointF polar(QPointF center, double radius, double degrees)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    return center + QPointF(radius * std::cos(radians), radius * std::sin(radians));
}

void drawGear(QPainter& painter)
{
    const QPointF center(12, 12);
    QPolygonF outline;
    for (int tooth = 0; tooth < 8; ++tooth) {
        const double angle = tooth * 45.0;
        outline << polar(center, 7.4, angle - 16) << polar(center, 10.2, angle - 9) << polar(center, 10.2, angle + 9)
                << polar(center, 7.4, angle + 16);
    }
    painter.drawPolygon(outline);
    painter.drawEllipse(center, 3.0, 3.0);
}

void drawKeyboard(QPainter& painter)
{
    painter.drawRoundedRect(QRectF(2, 6, 20, 12), 2.5, 2.5);
    for (double y : { 9.5, 12.5 }) {
        for (double x : { 5.5, 8.8, 12.1, 15.4, 18.5 })
            painter.drawPoint(QPointF(x, y));
    }
    painter.drawLine(QPointF(8, 15.4), QPointF(16, 15.4));
}

void drawCloudWithArrow(QPainter& painter)
{
    QPainterPath cloud;
    cloud.setFillRule(Qt::WindingFill);
    cloud.addEllipse(QPointF(6.5, 14), 3.8, 3.8);
    cloud.addEllipse(QPointF(12, 10.5), 5.5, 5.5);
    cloud.addEllipse(QPointF(17.5, 13.5), 4.2, 4.2);
    cloud.addRect(QRectF(6.5, 12, 11, 5.8));
    painter.drawPath(cloud.simplified());
    // A gap in the cloud's lower edge where the arrow leaves it.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(QRectF(9.6, 16, 4.8, 3), Qt::transparent);
    painter.restore();
    painter.drawLine(QPointF(12, 21.5), QPointF(12, 11.5));
    painter.drawPolyline(QPolygonF { QPointF(9.2, 14.3), QPointF(12, 11.5), QPointF(14.8, 14.3) });
}

void drawMicroscope(QPainter& painter)
{
    painter.save();
    painter.translate(10.5, 8);
    painter.rotate(-30);
    painter.drawRoundedRect(QRectF(-2, -6, 4, 10), 1, 1);
    painter.drawLine(QPointF(-3, -6), QPointF(3, -6));
    painter.restore();
    QPainterPath arm;
    arm.moveTo(15.5, 9);
    arm.cubicTo(20, 11, 19.5, 17.5, 13, 18);
    painter.drawPath(arm);
    painter.drawLine(QPointF(7, 15), QPointF(13, 15));
    painter.drawLine(QPointF(11, 18), QPointF(11, 21));
    painter.drawLine(QPointF(5, 21), QPointF(19, 21));
}

QPixmap symbol(SettingsTab tab, const QColor& color, int size, double devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / gridSize, size / gridSize);
    QPen pen(color, 1.7);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (tab) {
    case SettingsTab::general:
        drawGear(painter);
        break;
    case SettingsTab::hotkeys:
        drawKeyboard(painter);
        break;
    case SettingsTab::uploading:
        drawCloudWithArrow(painter);
        break;
    case SettingsTab::advanced:
        drawMicroscope(painter);
        break;
    }
    return pixmap;
}

} // namespace

namespace SettingsIcons {

QIcon icon(SettingsTab tab, const QColor& color, const QColor& checkedColor)
{
    QIcon icon;
    for (int size : { 16, 24, 32, 48 }) {
        for (double ratio : { 1.0, 2.0 }) {
            icon.addPixmap(symbol(tab, color, size, ratio), QIcon::Normal, QIcon::Off);
            icon.addPixmap(symbol(tab, checkedColor, size, ratio), QIcon::Normal, QIcon::On);
        }
    }
    return icon;
}

} // namespace SettingsIcons
