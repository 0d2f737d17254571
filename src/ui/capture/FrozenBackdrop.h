#pragma once

#include "domain/Image.h"

#include <QColor>
#include <QFuture>
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
    // Made once, on a worker while the window maps: dimming a 4K picture at every paint
    // would lag, and at the first paint it would delay the overlay.
    QFuture<QImage> m_dimming;
    QImage m_dimmed;
    QColor m_dim;
};
