#include "launch/ShotGeometry.h"

namespace ShotGeometry {

std::variant<QRect, Refusal> rectangle(const ShotRequest& request, const QRect& root, const QList<QRect>& monitors)
{
    if (request.screen) {
        if (*request.screen >= monitors.size())
            return Refusal { QStringLiteral("there is no screen %1; the desktop has %2 (numbered from 0)")
                                 .arg(*request.screen)
                                 .arg(monitors.size()) };
        return monitors.at(*request.screen);
    }
    if (request.region) {
        if (!root.contains(*request.region))
            return Refusal { QStringLiteral("the region %1,%2,%3,%4 is not inside the desktop of %5x%6 pixels")
                                 .arg(request.region->x())
                                 .arg(request.region->y())
                                 .arg(request.region->width())
                                 .arg(request.region->height())
                                 .arg(root.width())
                                 .arg(root.height()) };
        return *request.region;
    }
    return root;
}

} // namespace ShotGeometry
