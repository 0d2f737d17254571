#include "engine/ExactOverlapSearch.h"

#include "engine/VerticalAlignment.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ExactOverlapSearch {

namespace {

// Rows of a single colour match anywhere; a band needs this many others to prove a match.
constexpr int minimumContentRows = 8;
// A header that stays put while the page scrolls may cover up to this part of a shot.
constexpr double maximumHeaderShare = 0.3;
constexpr int sampledColumns = 1024;

using Row = Shot::Row;

bool sameContent(const Row& a, const Row& b)
{
    return a.hash == b.hash;
}

// Rows by content, leaving out the side margins where scroll bars move between shots. A
// thousand columns tell rows of text apart; more would only cost time.
std::vector<Row> rowPrints(const QImage& image)
{
    // Too narrow for margins: such shots are never compared.
    if (image.width() < 3)
        return {};
    const QImage pixels
        = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied
        ? image
        : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int margin = std::max(pixels.width() / 24, 2);
    const int step = std::max((pixels.width() - 2 * margin) / sampledColumns, 1);
    std::vector<Row> prints(std::size_t(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        const QRgb first = line[margin] & 0xffffffu;
        Row& print = prints[std::size_t(y)];
        print.hash = 14695981039346656037ull;
        for (int x = margin; x < pixels.width() - margin; x += step) {
            const QRgb colour = line[x] & 0xffffffu;
            print.hash = (print.hash ^ colour) * 1099511628211ull;
            print.uniform = print.uniform && colour == first;
        }
    }
    return prints;
}

bool comparable(const Image& upper, const Image& lower)
{
    return upper.size() == lower.size() && upper.pixels().size() == lower.pixels().size() && lower.pixels().width() >= 3
        && lower.pixels().height() >= minimumContentRows;
}

} // namespace

Shot::Shot(const Image& image)
    : image(&image)
    , rows(rowPrints(image.pixels()))
{ }

std::optional<double> trim(const Shot& upperShot, const Shot& lowerShot)
{
    const Image& lower = *lowerShot.image;
    if (!comparable(*upperShot.image, lower))
        return std::nullopt;
    const std::vector<Row>& above = upperShot.rows;
    const std::vector<Row>& below = lowerShot.rows;
    const int height = int(below.size());
    const int maximumHeader = int(height * maximumHeaderShare);

    // Lower row y repeating upper row y + shift. The smallest shift that holds over a band
    // reaching the bottom of the upper shot cuts the most, as the signature search prefers.
    for (int shift = 1; shift + minimumContentRows <= height; ++shift) {
        int top = height - shift;
        int contentRows = 0;
        while (top > 0 && sameContent(below[std::size_t(top - 1)], above[std::size_t(top - 1 + shift)])) {
            --top;
            contentRows += below[std::size_t(top)].uniform ? 0 : 1;
        }
        if (top <= maximumHeader && contentRows >= minimumContentRows) {
            const double cut = double(height - shift) / lower.scaleY();
            const double keep = lower.height() - VerticalAlignment::minimumKeptHeight;
            return std::min(cut, std::max(keep, 0.0));
        }
    }
    return std::nullopt;
}

bool confirms(const Shot& upperShot, const Shot& lowerShot, double trim, double bandTop)
{
    const Image& lower = *lowerShot.image;
    if (!comparable(*upperShot.image, lower) || !(trim > 0))
        return true;
    const std::vector<Row>& above = upperShot.rows;
    const std::vector<Row>& below = lowerShot.rows;
    const int height = int(below.size());
    const int cutRows = std::clamp(int(std::lround(trim * lower.scaleY())), 0, height);
    const int shift = height - cutRows;
    int contentRows = 0;
    int repeatedRows = 0;
    for (int y = std::clamp(int(std::ceil(bandTop * lower.scaleY())), 0, cutRows); y < cutRows; ++y) {
        if (below[std::size_t(y)].uniform)
            continue;
        ++contentRows;
        repeatedRows += sameContent(below[std::size_t(y)], above[std::size_t(y + shift)]) ? 1 : 0;
    }
    return 2 * repeatedRows >= contentRows;
}

} // namespace ExactOverlapSearch
