#include "engine/ImageResizeService.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ImageResizeService {

namespace {

// Refuse buffers beyond 2 GiB of 32-bit pixels before asking for them: a typo in the resize
// percentage must end in a message, not in an allocation the machine cannot satisfy.
constexpr double maxPixelBytes = 2.0 * 1024 * 1024 * 1024;

bool isFinite(QRectF rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
        && std::isfinite(rect.height());
}

// One axis of the crop's point size. Where the rectangle lies inside the image it is the
// requested length exactly; where it sticks out, only the part over the image counts, so the
// clipped cut keeps the source's pixel density instead of being stretched.
double clippedLength(double origin, double length, double imageLength)
{
    if (origin >= 0 && origin + length <= imageLength)
        return length;
    return std::min(origin + length, imageLength) - std::max(origin, 0.0);
}

} // namespace

std::optional<Image> crop(const Image& image, QRectF rect)
{
    if (!(rect.width() > 0 && rect.height() > 0) || !isFinite(rect) || image.isNull())
        return std::nullopt;
    const double scaleX = image.scaleX();
    const double scaleY = image.scaleY();
    // Rounded outward (origin floored, far edges ceiled), then clipped, all in doubles so that
    // a huge rectangle never reaches an integer conversion.
    const double left = std::max(std::floor(scaleX * rect.x()), 0.0);
    const double top = std::max(std::floor(scaleY * rect.y()), 0.0);
    const double right = std::min(std::ceil(scaleX * rect.x() + scaleX * rect.width()), double(image.pixelWidth()));
    const double bottom = std::min(std::ceil(scaleY * rect.y() + scaleY * rect.height()), double(image.pixelHeight()));
    if (!(left < right && top < bottom))
        return std::nullopt;
    const QRect pixelRect(int(left), int(top), int(right - left), int(bottom - top));
    QImage pixels = image.pixels().copy(pixelRect);
    if (pixels.isNull())
        return std::nullopt;
    const QSizeF size(
        clippedLength(rect.x(), rect.width(), image.width()), clippedLength(rect.y(), rect.height(), image.height()));
    return Image(std::move(pixels), size);
}

std::optional<Image> resize(const Image& image, QSizeF size)
{
    if (!(size.width() > 0 && size.height() > 0) || !std::isfinite(size.width()) || !std::isfinite(size.height())
        || image.isNull())
        return std::nullopt;
    // Our choice: the result keeps the source's pixels per point on each axis, so a 2x capture
    // stays sharp at 2x, whatever screen the editor happens to be on.
    const double pixelWidth = std::max(1.0, std::round(size.width() * image.scaleX()));
    const double pixelHeight = std::max(1.0, std::round(size.height() * image.scaleY()));
    if (pixelWidth * pixelHeight * 4 > maxPixelBytes)
        return std::nullopt;
    QImage pixels(int(pixelWidth), int(pixelHeight), QImage::Format_ARGB32_Premultiplied);
    if (pixels.isNull())
        return std::nullopt;
    pixels.fill(Qt::transparent);
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, pixelWidth, pixelHeight), image.pixels());
    painter.end();
    return Image(std::move(pixels), size);
}

} // namespace ImageResizeService
