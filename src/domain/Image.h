#pragma once

#include <QImage>
#include <QSizeF>

// An image as the editor knows it: pixels plus a size in points. A 2x capture of a
// 100 x 50 point area holds 200 x 100 pixels. Pixel = point x (pixel size / point size),
// computed per axis, because nothing guarantees the two ratios agree.
class Image {
public:
    Image() = default;
    // An image whose point size equals its pixel size.
    explicit Image(QImage pixels);
    Image(QImage pixels, QSizeF pointSize);

    [[nodiscard]] bool isNull() const { return m_pixels.isNull() || m_size.isEmpty(); }
    [[nodiscard]] const QImage& pixels() const { return m_pixels; }
    [[nodiscard]] QSizeF size() const { return m_size; }
    [[nodiscard]] double width() const { return m_size.width(); }
    [[nodiscard]] double height() const { return m_size.height(); }
    [[nodiscard]] int pixelWidth() const { return m_pixels.width(); }
    [[nodiscard]] int pixelHeight() const { return m_pixels.height(); }

    // Pixels per point on each axis; 0 when the point size is empty.
    [[nodiscard]] double scaleX() const;
    [[nodiscard]] double scaleY() const;

    // Identity of the pixel buffer: equal for copies of one image, different after any
    // change of pixels. Lets the viewport tell a new image from the same one re-sent.
    [[nodiscard]] qint64 identity() const { return m_pixels.cacheKey(); }

    friend bool operator==(const Image& a, const Image& b)
    {
        return a.m_size == b.m_size && a.m_pixels == b.m_pixels;
    }

private:
    QImage m_pixels;
    QSizeF m_size;
};
