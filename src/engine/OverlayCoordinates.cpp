#include "engine/OverlayCoordinates.h"

namespace {

double ratio(double view, double widget)
{
    return widget > 0 && view > 0 ? view / widget : 1.0;
}

} // namespace

OverlayCoordinates::OverlayCoordinates(QSizeF widgetSize, QSizeF viewSize)
    : m_widgetSize(widgetSize)
    , m_viewSize(viewSize)
    , m_scaleX(ratio(viewSize.width(), widgetSize.width()))
    , m_scaleY(ratio(viewSize.height(), widgetSize.height()))
{ }

QPointF OverlayCoordinates::toView(QPointF widgetPoint) const
{
    return { widgetPoint.x() * m_scaleX, (m_widgetSize.height() - widgetPoint.y()) * m_scaleY };
}

QPointF OverlayCoordinates::toWidget(QPointF viewPoint) const
{
    return { viewPoint.x() / m_scaleX, m_widgetSize.height() - viewPoint.y() / m_scaleY };
}

QRectF OverlayCoordinates::toWidget(const QRectF& viewRect) const
{
    const QRectF normal = viewRect.normalized();
    // The view rectangle's top edge (its larger y) becomes the widget rectangle's top.
    const QPointF topLeft = toWidget(QPointF(normal.left(), normal.bottom()));
    return { topLeft, QSizeF(normal.width() / m_scaleX, normal.height() / m_scaleY) };
}
