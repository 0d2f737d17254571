#pragma once

#include "engine/ImageSignature.h"
#include "engine/StitchAnalysis.h"

#include <optional>
#include <vector>

// The overlap search between two signatures: which rows at the top of the lower shot repeat
// the bottom of the upper one. A start row above 0 lets the match skip a header that stays
// fixed while the content scrolls beneath it.
namespace VerticalAlignment {

struct Alignment {
    int startRow = 0; // in the lower signature
    int overlapRows = 0;
    double score = 0;

    friend bool operator==(const Alignment&, const Alignment&) = default;
};

// Below this mean difference two shots count as the same picture.
inline constexpr double sameImageDifference = 1.6;
// An alignment scoring above this that would keep a real amount of new content is a guess.
inline constexpr double untrustedScore = 15;
// Less new content than this (points) is not worth a segment.
inline constexpr double meaningfulNewContent = 20;
// Every later shot keeps at least this many points, so a bad match cannot swallow it.
inline constexpr double minimumKeptHeight = 24;

// The candidates tried between signatures of the given heights (rows): start rows 0, step,
// 2 step, … up to and including `maxShift`; for each, overlaps from the longest that fits
// (at most `maxOverlap`) down to `minOverlap`, one by one.
struct SearchGrid {
    int minOverlap = 0;
    int maxOverlap = 0;
    int maxShift = 0;
    int shiftStep = 1;

    [[nodiscard]] std::vector<int> startRows() const;
    friend bool operator==(const SearchGrid&, const SearchGrid&) = default;
};
[[nodiscard]] SearchGrid searchGrid(int upperHeight, int lowerHeight);

// Whether a candidate met later in the search takes the place of the best so far: a clearly
// lower score wins; within a narrow band of the best, a lower score, a match that reaches
// further down the lower shot, or at equal reach a longer match wins.
[[nodiscard]] bool replacesBest(const Alignment& candidate, const Alignment& best);

// The best-scoring (start row, overlap) pair over the candidate grid, or none when no
// candidate could be scored.
[[nodiscard]] std::optional<Alignment> bestAlignment(const ImageSignature& upper, const ImageSignature& lower);

// The continuation of `upper` by `lower`, whose height in points is `lowerPointHeight`.
// None when a signature is shorter than the minimum.
[[nodiscard]] std::optional<StitchAnalysis> analyze(
    const ImageSignature& upper, const ImageSignature& lower, double lowerPointHeight);

} // namespace VerticalAlignment
