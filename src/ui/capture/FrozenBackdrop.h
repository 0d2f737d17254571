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
    // Made once, on a worker after the first paint, which dims straight into the window:
    // waiting for a dimmed copy would delay the overlay, and dimming a 4K picture at every
    // later paint would lag.
    QFuture<QImage> m_dimming;
    bool m_dimmingStarted = false;
    QImage m_dimmed;
    QColor m_dim;
};
