#include "engine/DrawingPrimitives.h"

#include <QFontDatabase>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace DrawingPrimitives {

namespace {

constexpr double pixelCoordinateLimit = 1 << 28;

QFont sizedFont(QFont font, double size, QFont::Weight weight, const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiY() : 72;
    font.setPointSizeF(std::max(size, 0.01) * 72.0 / (dpi > 0 ? dpi : 72));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double clampedCoordinate(double value)
{
    return std::clamp(value, -pixelCoordinateLimit, pixelCoordinateLimit);
}

} // namespace

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return color;
}

QFont systemFont(double size, QFont::Weight weight, const QPaintDevice* device)
{
    return sizedFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont), size, weight, device);
}

QFont monospacedSystemFont(double size, QFont::Weight weight, const QPaintDevice* device)
{
    QFont font = sizedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont), size, weight, device);
    font.setFixedPitch(true);
    return font;
}

QRectF outwardRounded(const QRectF& rect)
{
    const double left = std::floor(rect.left());
    const double top = std::floor(rect.top());
    return QRectF(left, top, std::ceil(rect.right()) - left, std::ceil(rect.bottom()) - top);
}

QRect outwardRoundedPixels(const QRectF& rect)
{
    const QRectF rounded = outwardRounded(rect.normalized());
    if (std::isnan(rounded.left()) || std::isnan(rounded.top()) || std::isnan(rounded.right())
        || std::isnan(rounded.bottom()))
        return {};
    const double left = clampedCoordinate(rounded.left());
    const double top = clampedCoordinate(rounded.top());
    const double right = clampedCoordinate(rounded.right());
    const double bottom = clampedCoordinate(rounded.bottom());
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

} // namespace DrawingPrimitives
