#include "app/EditorWindowFitting.h"

#include <algorithm>
#include <cmath>

namespace EditorWindowFitting {

namespace {

    struct Allowance {
        double extraWidth;
        double extraHeight;
        double minimumWidth;
        double minimumHeight;
    };

    // The extras leave room for the toolbar and the panels around the canvas.
    constexpr Allowance s_tall { 84, 156, 540, 700 };
    constexpr Allowance s_wide { 120, 180, 920, 620 };

} // namespace

QSizeF targetContentSize(QSizeF imageSize, const QRectF& area)
{
    const bool isTall = 1.25 * imageSize.width() < imageSize.height();
    const Allowance& allowance = isTall ? s_tall : s_wide;
    const double paddedWidth = imageSize.width() + allowance.extraWidth;
    const double paddedHeight = imageSize.height() + allowance.extraHeight;
    const double scale
        = std::min({ 1.0, 0.86 * area.width() / paddedWidth, 0.84 * area.height() / paddedHeight });
    return { std::max(paddedWidth * scale, allowance.minimumWidth),
        std::max(paddedHeight * scale, allowance.minimumHeight) };
}

bool needsResize(QSizeF currentContentSize, QSizeF targetContentSize)
{
    return std::abs(currentContentSize.width() - targetContentSize.width())
        + std::abs(currentContentSize.height() - targetContentSize.height())
        > 24;
}

QRectF placedFrame(const QRectF& currentFrame, QSizeF frameSize, const QRectF& area)
{
    const bool neverPlaced = currentFrame.x() == 0 && currentFrame.y() == 0 && currentFrame.width() == 0
        && currentFrame.height() == 0;
    double x = 0;
    double y = 0;
    if (neverPlaced) {
        x = area.center().x() - frameSize.width() / 2;
        y = area.center().y() - frameSize.height() / 2;
    } else {
        x = currentFrame.x();
        y = currentFrame.y() + currentFrame.height() - frameSize.height();
    }
    x = std::min(std::max(x, area.left() + 24), area.right() - frameSize.width() - 24);
    y = std::min(std::max(y, area.top() + 24), area.bottom() - frameSize.height() - 24);
    return { QPointF(x, y), frameSize };
}

} // namespace EditorWindowFitting
