#include "domain/Image.h"

#include <utility>

Image::Image(QImage pixels)
    : m_pixels(std::move(pixels))
    , m_size(m_pixels.size())
{
}

Image::Image(QImage pixels, QSizeF pointSize)
    : m_pixels(std::move(pixels))
    , m_size(pointSize)
{
}

double Image::scaleX() const
{
    return m_size.width() > 0 ? m_pixels.width() / m_size.width() : 0.0;
}

double Image::scaleY() const
{
    return m_size.height() > 0 ? m_pixels.height() / m_size.height() : 0.0;
}
