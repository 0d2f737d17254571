#include "platform/qt/ScreenSpace.h"

namespace {

QRectF mirrored(const QRectF& rect, const QRect& primary)
{
    // QRect::bottom() is top + height - 1, so the height is added explicitly.
    const double mirroredY = double(primary.top()) + primary.height() - rect.y() - rect.height();
    return { rect.x(), mirroredY, rect.width(), rect.height() };
}

} // namespace

namespace ScreenSpace {

QRectF fromQtGeometry(const QRectF& rect, const QRect& primaryScreenGeometry)
{
    return mirrored(rect, primaryScreenGeometry);
}

QRectF toQtGeometry(const QRectF& rect, const QRect& primaryScreenGeometry)
{
    return mirrored(rect, primaryScreenGeometry);
}

} // namespace ScreenSpace
