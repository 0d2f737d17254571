#include "engine/RecognitionPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace RecognitionPicture {

double scaleFor(int lineHeight, double pixelsPerPoint)
{
    if (lineHeight <= 0)
        return pixelsPerPoint >= 1.5 ? 1.0 : 2.0;
    const double wanted = double(comfortableLineHeight) / double(lineHeight);
    return std::clamp(std::round(wanted * 4.0) / 4.0, 1.0, largestScale);
}

QImage prepare(const QImage& grey, const TextRegion& region, double scale)
{
    const QRect area = region.area.intersected(grey.rect());
    if (area.isEmpty() || grey.format() != QImage::Format_Grayscale8)
        return {};
    // Ink at two thirds of the strongest counts as full: anti-aliased strokes of small text
    // and grey captions rarely reach the contrast of the body text.
    const int fullInk = std::max(ScreenTextRegions::inkContrast + 8, region.strongestInk * 2 / 3);
    std::array<uchar, 256> darkness {};
    for (int level = 0; level < 256; ++level) {
        const int contrast = std::abs(level - region.background);
        darkness[size_t(level)] = uchar(255 - std::min(255, contrast * 255 / fullInk));
    }
    QImage paper(area.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < area.height(); ++y) {
        const uchar* source = grey.constScanLine(area.top() + y) + area.left();
        uchar* target = paper.scanLine(y);
        for (int x = 0; x < area.width(); ++x)
            target[x] = darkness[source[x]];
    }
    if (scale <= 1.0)
        return paper;
    return paper.scaled(int(std::lround(area.width() * scale)), int(std::lround(area.height() * scale)),
        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace RecognitionPicture
