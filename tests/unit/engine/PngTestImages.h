#pragma once

#include <QImage>

#include <random>

namespace PngTestImages {

// Every alpha from 0 to 255 against varied colours, stored premultiplied.
inline QImage translucentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    std::mt19937 random(11);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, qRgba(int(random() % 256), int(random() % 256), int(random() % 256), (x + y * width) % 256));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace PngTestImages
