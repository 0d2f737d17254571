#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// A selection overlay's two coordinate spaces. The overlay's drawing and decisions use view
// points: origin at the bottom-left of the area it covers, y up, the unit of the screen
// frames. Qt hands it widget coordinates: logical pixels, origin top-left, y down. The two
// cover the same area, so the mapping is a flip and a scale.
class OverlayCoordinates {
public:
    OverlayCoordinates(QSizeF widgetSize, QSizeF viewSize);

    [[nodiscard]] QPointF toView(QPointF widgetPoint) const;
    [[nodiscard]] QPointF toWidget(QPointF viewPoint) const;
    [[nodiscard]] QRectF toWidget(const QRectF& viewRect) const;
    [[nodiscard]] QSizeF viewSize() const { return m_viewSize; }

private:
    QSizeF m_widgetSize;
    QSizeF m_viewSize;
    double m_scaleX;
    double m_scaleY;
};
