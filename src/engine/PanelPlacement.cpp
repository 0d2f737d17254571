#include "engine/PanelPlacement.h"

#include "engine/ScreenCaptureGeometry.h"

#include <cmath>

namespace PanelPlacement {

QRect topRightRootRect(const Screen& screen, QSizeF panelSize, double margin)
{
    const QRectF& frame = screen.frame;
    const QRect& native = screen.nativeGeometry;
    const double scaleX = frame.width() > 0 ? native.width() / frame.width() : 1.0;
    const double scaleY = frame.height() > 0 ? native.height() / frame.height() : 1.0;
    // Global points grow upwards: the work area's top edge is its largest y.
    const double left = screen.visibleFrame.right() - panelSize.width() - margin;
    const double top = screen.visibleFrame.bottom() - margin;
    const double rootX = native.x() + (left - frame.left()) * scaleX;
    const double rootY = native.y() + (frame.bottom() - top) * scaleY;
    return QRect(static_cast<int>(std::lround(rootX)), static_cast<int>(std::lround(rootY)),
        static_cast<int>(std::lround(panelSize.width() * scaleX)),
        static_cast<int>(std::lround(panelSize.height() * scaleY)));
}

QPoint topRightLogicalPosition(const Screen& screen, QSizeF panelSize, double margin)
{
    const QRect root = topRightRootRect(screen, panelSize, margin);
    return ScreenCaptureGeometry::logicalRectFromRoot(QRectF(root), screen.nativeGeometry, screen.scaleFactor)
        .topLeft()
        .toPoint();
}

} // namespace PanelPlacement
