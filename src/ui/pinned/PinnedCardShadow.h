#pragma once

#include "engine/ShadowRenderer.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QPainter;

// The soft shadow under a rounded card. Along a long straight edge the blurred shadow is the
// same at every point, so it is cast once for a card just large enough to hold both corners
// and the blur, and its middle is stretched to the card's length: resizing a large window
// casts nothing again and allocates no buffer of the window's size.
class PinnedCardShadow {
public:
    PinnedCardShadow(double cornerRadius, QColor color, double blurRadius, QPointF offset);

    void paint(QPainter& painter, const QRectF& card);

    // The card size the shadow was last cast for; it stops growing past a small bound.
    [[nodiscard]] QSizeF castSize() const { return m_castSize; }

private:
    void cast(QSizeF size);

    double m_cornerRadius;
    QColor m_color;
    double m_sigma;
    QPointF m_offset;
    QSizeF m_castSize;
    ShadowRenderer::Shadow m_shadow;
};
