#include "engine/DesktopPicture.h"

#include <cmath>

namespace DesktopPicture {

QRect bounds(const QList<DesktopOutput>& outputs)
{
    QRect box;
    for (const DesktopOutput& output : outputs)
        box = box.united(output.logical);
    return box;
}

double density(const QImage& picture, const QList<DesktopOutput>& outputs)
{
    const QRect box = bounds(outputs);
    if (picture.isNull() || box.isEmpty())
        return 0;
    const double horizontal = double(picture.width()) / box.width();
    const double vertical = double(picture.height()) / box.height();
    // Both axes share one density; rounding may cost the picture one pixel per axis.
    if (std::abs(horizontal * box.height() - picture.height()) > 1.0 || std::abs(vertical - horizontal) > 0.01)
        return 0;
    return horizontal;
}

QImage cut(const QImage& picture, const QList<DesktopOutput>& outputs, QRect logical, double scale)
{
    const double pictureDensity = density(picture, outputs);
    const QRect box = bounds(outputs);
    const QRect wanted = logical.intersected(box);
    if (pictureDensity <= 0 || wanted.isEmpty() || scale <= 0)
        return {};
    const QRect source = QRect(std::lround((wanted.x() - box.x()) * pictureDensity),
        std::lround((wanted.y() - box.y()) * pictureDensity), std::lround(wanted.width() * pictureDensity),
        std::lround(wanted.height() * pictureDensity))
                             .intersected(picture.rect());
    const QImage pixels = picture.copy(source);
    const QSize target(std::lround(wanted.width() * scale), std::lround(wanted.height() * scale));
    if (pixels.size() == target || target.isEmpty())
        return pixels;
    return pixels.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace DesktopPicture
