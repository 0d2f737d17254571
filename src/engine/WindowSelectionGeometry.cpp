#include "engine/WindowSelectionGeometry.h"

#include <algorithm>
#include <cmath>

namespace WindowSelectionGeometry {

namespace {

constexpr double captionTopReserve = 52;
constexpr double captionGapAbove = 14;
constexpr double captionPadding = 14;
constexpr double captionHeight = 46;
constexpr QSizeF hintSize { 500, 140 };

// Bottom-left origin: a frame holds its lower and left edges, not its upper and right ones.
bool holds(const QRectF& frame, QPointF point)
{
    const QRectF normal = frame.normalized();
    return point.x() >= normal.left() && point.x() < normal.right() && point.y() >= normal.top()
        && point.y() < normal.bottom();
}

} // namespace

QRectF overlayFrame(const QList<QRectF>& screenFrames)
{
    QRectF frame;
    for (const QRectF& screen : screenFrames)
        frame = frame.united(screen);
    return frame;
}

std::optional<CapturableWindow> windowAt(const QList<CapturableWindow>& windows, QPointF point)
{
    const auto found = std::find_if(windows.cbegin(), windows.cend(),
        [point](const CapturableWindow& window) { return holds(window.frame, point); });
    if (found == windows.cend())
        return std::nullopt;
    return *found;
}

QString displayName(const CapturableWindow& window)
{
    if (window.title.isEmpty())
        return window.ownerName;
    return window.ownerName + QStringLiteral(" - ") + window.title;
}

QString sizeText(const QRectF& local)
{
    return QString::number(std::trunc(local.width()), 'f', 0) + QStringLiteral(" \u00D7 ")
        + QString::number(std::trunc(local.height()), 'f', 0);
}

Caption caption(const QRectF& local, QSizeF viewSize, double titleWidth, double detailWidth)
{
    // Above the window, but never closer than 6 points to the top of the overlay.
    const double y = std::min(viewSize.height() - captionTopReserve, local.normalized().bottom() + captionGapAbove);
    const QRectF box(
        local.normalized().left(), y, std::max(titleWidth, detailWidth) + 2 * captionPadding, captionHeight);
    return { box, QPointF(box.left() + captionPadding, box.top() + 22),
        QPointF(box.left() + captionPadding, box.top() + 8) };
}

Hint hint(QSizeF viewSize)
{
    const QPointF middle(viewSize.width() / 2, viewSize.height() / 2);
    const QRectF box(
        middle.x() - hintSize.width() / 2, middle.y() - hintSize.height() / 2, hintSize.width(), hintSize.height());
    return { box, box.center().y() + 12, box.center().y() - 20 };
}

} // namespace WindowSelectionGeometry
