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

namespace {

constexpr uchar paperWhite = 255;
// Darker than this, a pixel of the prepared picture belongs to a stroke.
constexpr uchar strokeLevel = 200;

template <typename At> void eraseRunsLongerThan(int length, int lines, int along, At&& at)
{
    for (int line = 0; line < lines; ++line) {
        int start = 0;
        for (int position = 0; position <= along; ++position) {
            const bool stroke = position < along && at(line, position) < strokeLevel;
            if (stroke)
                continue;
            if (position - start > length)
                for (int erased = start; erased < position; ++erased)
                    at(line, erased) = paperWhite;
            start = position + 1;
        }
    }
}

// Frames of buttons and fields, rules and table borders: a stroke longer than any glyph's
// reads as a row of "|", "[" or "_" and drags the letters beside it into nonsense.
void eraseRules(QImage& paper, int lineHeight)
{
    if (lineHeight <= 0)
        return;
    const auto pixel = [&paper](int y, int x) -> uchar& { return paper.scanLine(y)[x]; };
    eraseRunsLongerThan(2 * lineHeight, paper.height(), paper.width(), pixel);
    eraseRunsLongerThan(lineHeight * 4 / 3 + 1, paper.width(), paper.height(),
        [&pixel](int x, int y) -> uchar& { return pixel(y, x); });
}

} // namespace

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
    eraseRules(paper, region.lineHeight);
    if (scale <= 1.0)
        return paper;
    return paper.scaled(int(std::lround(area.width() * scale)), int(std::lround(area.height() * scale)),
        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace RecognitionPicture
