#include "engine/SeamRefinement.h"

#include "engine/VerticalAlignment.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace SeamRefinement {

namespace {

// Signature rows searched on either side of the analysis's seam: a match just short of the
// minimum overlap can land two rows off.
constexpr double searchRows = 3;
// Enough samples to tell text lines apart, few enough to stay at a few milliseconds a seam.
constexpr int sampledRows = 64;
constexpr int sampledColumns = 256;
// A band this short says nothing about where the seam is.
constexpr int minimumBandRows = 8;

QImage wordPixels(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::vector<int> evenlySpaced(int first, int last, int count)
{
    std::vector<int> values;
    const int span = last - first;
    const int taken = std::min(span, count);
    for (int i = 0; i < taken; ++i)
        values.push_back(first + static_cast<int>(std::int64_t(i) * span / taken));
    return values;
}

struct Band {
    std::vector<int> rows; // of the lower shot
    std::vector<int> columns;
};

// Sum of channel differences between the sampled lower rows and the upper rows `shift`
// further down the page.
std::int64_t difference(const QImage& upper, const QImage& lower, const Band& band, int shift)
{
    std::int64_t total = 0;
    for (const int row : band.rows) {
        const auto* upperLine = reinterpret_cast<const QRgb*>(upper.constScanLine(row + shift));
        const auto* lowerLine = reinterpret_cast<const QRgb*>(lower.constScanLine(row));
        for (const int column : band.columns) {
            const QRgb a = upperLine[column];
            const QRgb b = lowerLine[column];
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    }
    return total;
}

} // namespace

double refinedTrim(const Image& upper, const Image& lower, const StitchAnalysis& analysis, double rowHeight)
{
    const double trim = analysis.topTrim;
    if (!(trim > 0) || analysis.hasNoNewContent || upper.size() != lower.size()
        || upper.pixels().size() != lower.pixels().size() || !(rowHeight > 0))
        return trim;
    const double density = lower.scaleY();
    const int height = lower.pixelHeight();
    const int width = lower.pixelWidth();
    // Lower row y shows what upper row y + shift showed.
    const int coarseShift = height - static_cast<int>(std::lround(trim * density));
    const int radius = static_cast<int>(std::ceil(searchRows * rowHeight * density));
    const int firstShift = std::max(coarseShift - radius, 1);
    const int lastShift = coarseShift + radius;
    // The band starts below any fixed header that the analysis skipped, and ends where the
    // largest shift still finds upper rows.
    const int bandTop = static_cast<int>(std::ceil(analysis.overlapStart * density));
    const int bandBottom = height - lastShift;
    if (bandBottom - bandTop < minimumBandRows)
        return trim;
    const int margin = std::max(width / 24, 2);
    if (width - 2 * margin < 1)
        return trim;
    const Band band { evenlySpaced(bandTop, bandBottom, sampledRows),
        evenlySpaced(margin, width - margin, sampledColumns) };

    const QImage upperPixels = wordPixels(upper.pixels());
    const QImage lowerPixels = wordPixels(lower.pixels());
    int bestShift = coarseShift;
    std::int64_t bestDifference = difference(upperPixels, lowerPixels, band, coarseShift);
    // Nearest offsets first, so a tie keeps the one closest to the analysis's seam.
    for (int distance = 1; distance <= radius && bestDifference > 0; ++distance) {
        for (const int shift : { coarseShift - distance, coarseShift + distance }) {
            if (shift < firstShift || shift > lastShift)
                continue;
            const std::int64_t candidate = difference(upperPixels, lowerPixels, band, shift);
            if (candidate < bestDifference) {
                bestDifference = candidate;
                bestShift = shift;
            }
        }
    }
    const double keptPixels = std::ceil(VerticalAlignment::minimumKeptHeight * density);
    const double refined = std::min(double(height - bestShift), double(height) - keptPixels);
    return refined > 0 ? refined / density : trim;
}

} // namespace SeamRefinement
