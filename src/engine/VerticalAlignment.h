#pragma once

#include "engine/ImageSignature.h"
#include "engine/StitchAnalysis.h"

#include <optional>

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

// The best-scoring (start row, overlap) pair over the candidate grid, or none when no
// candidate could be scored.
[[nodiscard]] std::optional<Alignment> bestAlignment(const ImageSignature& upper, const ImageSignature& lower);

// The continuation of `upper` by `lower`, whose height in points is `lowerPointHeight`.
// None when a signature is shorter than the minimum.
[[nodiscard]] std::optional<StitchAnalysis> analyze(
    const ImageSignature& upper, const ImageSignature& lower, double lowerPointHeight);

} // namespace VerticalAlignment
