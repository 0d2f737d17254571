#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <ostream>

// Helpers for pixel probes: images of known content, painters in image points and colour
// comparisons with a tolerance for antialiasing and rounding.
namespace RenderTest {

// Fonts need a GUI application; tests run offscreen so that no display is required. One
// is made on first use, unless the process already has one, and destroyed after the last
// test, while Qt's per-thread caches can still be released.
void ensureGuiApplication();

// A filled image of `points` at `density` pixels per point.
inline Image filledImage(QSizeF points, double density, QColor color)
{
    QImage pixels(int(std::lround(points.width() * density)), int(std::lround(points.height() * density)),
        QImage::Format_ARGB32_Premultiplied);
    pixels.fill(color);
    return Image(std::move(pixels), points);
}

// An opaque image of `points` at `density` whose pixel (x, y) of w × h is colour(x, y, w, h).
template <typename Colour> Image paintedImage(QSizeF points, double density, Colour&& colour)
{
    QImage pixels(int(std::lround(points.width() * density)), int(std::lround(points.height() * density)),
        QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, colour(x, y, pixels.width(), pixels.height()));
    return Image(std::move(pixels), points);
}

// Every pixel different from its neighbours, so that a probe can tell where a sample came from.
inline Image patternImage(QSizeF points, double density)
{
    return paintedImage(points, density,
        [](int x, int y, int, int) { return qRgb((x * 7) % 256, (y * 5) % 256, (x * 3 + y * 11) % 256); });
}

// Red grows to the right and green downwards, slowly enough that a shift of one pixel
// changes a block average by about one level.
inline Image gradientImage(QSizeF points, double density)
{
    return paintedImage(points, density, [](int x, int y, int w, int h) { return qRgb(x * 255 / w, y * 255 / h, 90); });
}

// The pixel under an image point.
inline QColor probe(const Image& image, QPointF point)
{
    const int x = int(std::floor(point.x() * image.scaleX()));
    const int y = int(std::floor(point.y() * image.scaleY()));
    return QColor::fromRgba(image.pixels().pixel(x, y));
}

inline bool near(const QColor& a, const QColor& b, int tolerance = 3)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

// `over` composited onto an opaque `under`.
inline QColor blended(const QColor& over, const QColor& under)
{
    const double a = over.alphaF();
    const auto mix = [a](int top, int bottom) { return int(std::lround(top * a + bottom * (1 - a))); };
    return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()), mix(over.blue(), under.blue()));
}

// Draws onto `image` with a painter whose user space is the image's points.
template <typename Draw> void paint(Image& image, Draw&& draw)
{
    QImage pixels = image.pixels();
    {
        QPainter painter(&pixels);
        painter.setTransform(QTransform::fromScale(image.scaleX(), image.scaleY()));
        draw(painter);
    }
    image = Image(std::move(pixels), image.size());
}

inline AnnotationShape shape(
    AnnotationShape::Kind kind, QColor color = QColor(255, 0, 0), double lineWidth = 4, double fontSize = 28)
{
    return AnnotationShape::make(std::move(kind), AnnotationStyle { color, lineWidth, fontSize });
}

} // namespace RenderTest

inline std::ostream& operator<<(std::ostream& stream, const QColor& color)
{
    return stream << "rgba(" << color.red() << ", " << color.green() << ", " << color.blue() << ", " << color.alpha()
                  << ")";
}
