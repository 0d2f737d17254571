#pragma once

#include "domain/Image.h"

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

// The picture of a screen under a selection overlay, in the overlay's widget coordinates (one
// logical pixel per point of the picture): dimmed everywhere, and clear where the overlay
// lets the screen show through. Without a picture the dim colour alone stands for it.
class FrozenBackdrop {
public:
    FrozenBackdrop(const Image& picture, QColor dim);

    // The dimmed picture over `bounds`, the whole window.
    void paintDimmed(QPainter& painter, const QRect& bounds);
    // The undimmed picture inside `area`; a transparent hole when there is no picture.
    void paintClear(QPainter& painter, const QRectF& area) const;

private:
    QImage m_clear;
    // Made at the first paint, once: dimming a 4K picture on every mouse move would lag.
    QImage m_dimmed;
    QColor m_dim;
};
