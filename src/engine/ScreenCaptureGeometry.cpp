#include "engine/ScreenCaptureGeometry.h"

#include <cmath>

namespace ScreenCaptureGeometry {

namespace {

// Qt reports no intersection as a null rectangle and touching edges as an empty one;
// both mean "nothing in common" here.
std::optional<QRectF> intersection(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    if (common.isEmpty())
        return std::nullopt;
    return common;
}

} // namespace

QRectF integral(const QRectF& rect)
{
    if (rect.isEmpty())
        return rect;
    const double left = std::floor(rect.left());
    const double top = std::floor(rect.top());
    const double right = std::ceil(rect.right());
    const double bottom = std::ceil(rect.bottom());
    return { left, top, right - left, bottom - top };
}

QString rectangleSpecifier(const QRectF& rect)
{
    const QRectF whole = integral(rect.normalized());
    return QStringLiteral("%1,%2,%3,%4")
        .arg(std::llround(whole.x()))
        .arg(std::llround(whole.y()))
        .arg(std::llround(whole.width()))
        .arg(std::llround(whole.height()));
}

std::optional<QRectF> normalizedCaptureRect(const QRectF& rect, const QRectF& screenFrame)
{
    const std::optional<QRectF> onScreen = intersection(rect.normalized(), screenFrame);
    if (!onScreen)
        return std::nullopt;
    return integral(*onScreen);
}

QRect pixelCropRect(const QRectF& rect, const QRectF& screenFrame, QSize imageSize)
{
    const std::optional<QRectF> onScreen = normalizedCaptureRect(rect, screenFrame);
    if (!onScreen || screenFrame.width() <= 0 || screenFrame.height() <= 0 || imageSize.isEmpty())
        return {};
    // Still bottom-left origin, but relative to the screen.
    const QRectF local = onScreen->translated(-screenFrame.x(), -screenFrame.y());
    const double scaleX = imageSize.width() / screenFrame.width();
    const double scaleY = imageSize.height() / screenFrame.height();
    const QRectF candidate(scaleX * local.left(), scaleY * (screenFrame.height() - local.bottom()),
        scaleX * local.width(), scaleY * local.height());
    const QRectF whole = integral(candidate);
    const QRect pixels(static_cast<int>(whole.x()), static_cast<int>(whole.y()), static_cast<int>(whole.width()),
        static_cast<int>(whole.height()));
    return pixels.intersected(QRect(QPoint(0, 0), imageSize));
}

QRect toolRectangle(const QRectF& rect, const Screen& screen)
{
    const QRect pixels = pixelCropRect(rect, screen.frame, screen.nativeGeometry.size());
    if (pixels.isEmpty())
        return {};
    return pixels.translated(screen.nativeGeometry.topLeft());
}

QRectF logicalRectFromRoot(const QRectF& rootRect, const QRect& monitorRoot, double monitorScale)
{
    const double scale = monitorScale > 0 ? monitorScale : 1.0;
    const QPointF corner(monitorRoot.topLeft());
    return { corner + (rootRect.topLeft() - corner) / scale, rootRect.size() / scale };
}

QRectF globalRectFromMonitorRoot(const QRectF& rootRect, const QRect& monitorRoot, double monitorScale,
    const QRect& primaryRoot, double primaryScale)
{
    const QRectF logical = logicalRectFromRoot(rootRect, monitorRoot, monitorScale);
    const QRectF primary = logicalRectFromRoot(QRectF(primaryRoot), primaryRoot, primaryScale);
    return { logical.x() - primary.x(), primary.bottom() - logical.bottom(), logical.width(), logical.height() };
}

} // namespace ScreenCaptureGeometry
