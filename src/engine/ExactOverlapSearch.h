#pragma once

#include "domain/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

// Shots scrolled by nearly a whole screen (a browser's Page Down keeps a tenth of it) overlap
// by fewer rows than the signature search can see, so the shots' own rows are compared: the
// band at the top of the lower shot, below a fixed header, that repeats the bottom of the
// upper shot pixel for pixel.
namespace ExactOverlapSearch {

// A shot with each row summed up by its content, made once for the comparisons with both of
// its neighbours.
struct Shot {
    struct Row {
        std::uint64_t hash = 0;
        bool uniform = true;
    };

    explicit Shot(const Image& image);

    const Image* image;
    std::vector<Row> rows;
};

// Points to cut from the top of `lower`, or none without an exact repeat of at least a few
// rows of content. Both shots must have the same size in points and pixels.
[[nodiscard]] std::optional<double> trim(const Shot& upper, const Shot& lower);
[[nodiscard]] inline std::optional<double> trim(const Image& upper, const Image& lower)
{
    return trim(Shot(upper), Shot(lower));
}

// Whether cutting `trim` points from the top of `lower` is borne out by its rows: at least
// half of the rows with content in the cut band below `bandTop` points (a fixed header)
// repeat the upper shot. On white pages the signatures can score a wrong overlap as a good
// one, and cutting there would lose the rows in between.
[[nodiscard]] bool confirms(const Shot& upper, const Shot& lower, double trim, double bandTop);
[[nodiscard]] inline bool confirms(const Image& upper, const Image& lower, double trim, double bandTop)
{
    return confirms(Shot(upper), Shot(lower), trim, bandTop);
}

} // namespace ExactOverlapSearch
