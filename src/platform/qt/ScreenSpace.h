#pragma once

#include <QRect>
#include <QRectF>

// Qt places windows in the X server's space: origin at the top-left of the virtual
// desktop, y down. The application's screen space has its origin at the bottom-left of
// the primary screen, y up. The same formula converts both ways, since it only mirrors
// y about the primary screen's horizontal centre line.
namespace ScreenSpace {

[[nodiscard]] QRectF fromQtGeometry(const QRectF& rect, const QRect& primaryScreenGeometry);
[[nodiscard]] QRectF toQtGeometry(const QRectF& rect, const QRect& primaryScreenGeometry);

} // namespace ScreenSpace
