#pragma once

#include "domain/Image.h"
#include "engine/StitchAnalysis.h"

// The overlap search works on signatures of about 96 × 62 cells, so on a landscape screen one
// cell row spans some 16 points: a seam placed from it alone cuts up to half a text line too
// much or too little. Before the shots are cut, the seam is moved to the scroll offset whose
// full-resolution rows match best, within a few cell rows of the signature's choice.
namespace SeamRefinement {

// The trim of `lower` below `upper`, to the pixel; `rowHeight` is the points of `lower` per
// signature row. The analysis's own trim when the shots differ in size, the analysis found no
// new content or no alignment, or no offset matches strictly better than the analysis's.
[[nodiscard]] double refinedTrim(
    const Image& upper, const Image& lower, const StitchAnalysis& analysis, double rowHeight);

} // namespace SeamRefinement
