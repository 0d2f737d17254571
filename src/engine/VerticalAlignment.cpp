#include "engine/VerticalAlignment.h"

#include <algorithm>
#include <cmath>

namespace VerticalAlignment {

namespace {

// Scores closer than this are a tie, settled in favour of the longer match.
constexpr double tieBand = 0.45;
// A score must beat the best by this much to win outright.
constexpr double clearImprovement = 0.18;

} // namespace

SearchGrid searchGrid(int upperHeight, int lowerHeight)
{
    const int minHeight = std::min(upperHeight, lowerHeight);
    const int minOverlap = std::max(static_cast<int>(minHeight * 0.1), 24);
    const int maxOverlap = std::max(minOverlap, static_cast<int>(minHeight * 0.9));
    const int maxShift = std::max(std::min(lowerHeight - minOverlap, static_cast<int>(lowerHeight * 0.3)), 0);
    const int shiftStep = maxShift >= 12 ? maxShift / 12 : 1;
    return { minOverlap, maxOverlap, maxShift, shiftStep };
}

std::vector<int> SearchGrid::startRows() const
{
    std::vector<int> rows;
    for (int start = 0; start <= maxShift; start += shiftStep)
        rows.push_back(start);
    return rows;
}

bool replacesBest(const Alignment& candidate, const Alignment& best)
{
    const double c = candidate.score;
    const double b = best.score;
    if (c < b - clearImprovement)
        return true;
    if (!(std::abs(c - b) < tieBand))
        return false;
    const int extent = candidate.startRow + candidate.overlapRows;
    const int bestExtent = best.startRow + best.overlapRows;
    return c < b || extent > bestExtent || (extent == bestExtent && candidate.overlapRows > best.overlapRows);
}

std::optional<Alignment> bestAlignment(const ImageSignature& upper, const ImageSignature& lower)
{
    const SearchGrid grid = searchGrid(upper.height(), lower.height());
    std::optional<Alignment> best;
    for (const int start : grid.startRows()) {
        if (lower.height() - start < grid.minOverlap)
            continue;
        for (int overlap = std::min(lower.height() - start, grid.maxOverlap); overlap >= grid.minOverlap; --overlap) {
            const Alignment candidate { start, overlap, upper.scoreForAlignment(lower, overlap, start) };
            if (!std::isfinite(candidate.score))
                continue;
            if (!best || replacesBest(candidate, *best))
                best = candidate;
        }
    }
    return best;
}

std::optional<StitchAnalysis> analyze(const ImageSignature& upper, const ImageSignature& lower, double lowerPointHeight)
{
    if (std::min(upper.height(), lower.height()) < ImageSignature::minimumSize)
        return std::nullopt;
    const double meanDifference = upper.meanDifference(lower);
    const bool sameImage = meanDifference < sameImageDifference;
    const std::optional<Alignment> best = bestAlignment(upper, lower);
    if (!best)
        return StitchAnalysis { 0, 0, 0, meanDifference, lowerPointHeight, sameImage };

    const double pointsPerRow = lowerPointHeight / lower.height();
    const double maximumTrim = std::max(lowerPointHeight - minimumKeptHeight, 0.0);
    const double trim
        = std::min(std::max(std::floor(pointsPerRow * (best->startRow + best->overlapRows)), 0.0), maximumTrim);
    const double newContent = std::max(lowerPointHeight - trim, 0.0);
    // The same picture twice adds nothing, wherever the search happened to settle.
    if (!sameImage && best->score > untrustedScore && newContent >= meaningfulNewContent)
        return StitchAnalysis { 0, 0, 0, meanDifference, lowerPointHeight, false };
    return StitchAnalysis { trim, pointsPerRow * best->overlapRows, pointsPerRow * best->startRow, best->score,
        newContent, sameImage || newContent < meaningfulNewContent };
}

} // namespace VerticalAlignment
