#include "engine/CompositionCanvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace CompositionCanvas {

namespace {

// Point sizes computed from sums of doubles may miss a whole pixel by rounding noise.
constexpr double pixelTolerance = 1e-6;

double pixelLength(double points, double density)
{
    return std::ceil(points * density - pixelTolerance);
}

} // namespace

QPointF density(const std::vector<Image>& images)
{
    double x = 0;
    double y = 0;
    for (const Image& image : images) {
        x = std::max(x, image.scaleX());
        y = std::max(y, image.scaleY());
    }
    return { x > 0 ? x : 1.0, y > 0 ? y : 1.0 };
}

std::optional<QImage> create(QSizeF pointSize, QPointF density, const QColor& fill)
{
    const double width = pixelLength(pointSize.width(), density.x());
    const double height = pixelLength(pointSize.height(), density.y());
    if (!(width >= 1 && height >= 1 && width * height <= maximumPixelCount))
        return std::nullopt;
    QImage pixels(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    if (pixels.isNull())
        return std::nullopt;
    pixels.fill(fill);
    return pixels;
}

void drawImage(QPainter& painter, const Image& image, const QRectF& frame, QPointF density)
{
    const QRectF target(
        frame.x() * density.x(), frame.y() * density.y(), frame.width() * density.x(), frame.height() * density.y());
    // At the image's own density a frame off the pixel grid (centring can give half points)
    // is moved to the nearest pixel rather than blurred by resampling.
    const bool sameDensity = std::abs(target.width() - image.pixelWidth()) < pixelTolerance
        && std::abs(target.height() - image.pixelHeight()) < pixelTolerance;
    if (sameDensity) {
        painter.drawImage(
            QPoint(static_cast<int>(std::round(target.x())), static_cast<int>(std::round(target.y()))), image.pixels());
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image.pixels());
    painter.restore();
}

} // namespace CompositionCanvas
