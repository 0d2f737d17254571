#pragma once

#include "domain/Image.h"
#include "domain/StitchedSegment.h"
#include "engine/StitchAnalysis.h"

#include <QColor>

#include <optional>
#include <vector>

// Putting shots together: the overlap analysis and stitching of a scrolling capture, and the
// stacking of separate captures on a padded canvas. Lists run from the top of the document
// down; when scrolling up the caller inserts each new shot at the front.
namespace ImageCompositionService {

// Signatures are this many columns wide at most.
inline constexpr int signatureWidth = 96;

// How `current`, the shot whose content lies lower in the document, continues `previous`.
// None when either image has no positive size or cannot be read.
[[nodiscard]] std::optional<StitchAnalysis> analyzeVerticalContinuation(const Image& previous, const Image& current);

// Each shot with the band that repeats its predecessor (as captured) cut from its top. The
// cut is the analysis's trim moved to the pixel row where the two shots match best
// (SeamRefinement), so stitched rows neither repeat nor go missing at the seams. Rows that
// repeat exactly (ExactOverlapSearch) decide first: the signatures cannot see an overlap of
// less than about a third of a landscape shot and then choose a wrong one.
[[nodiscard]] std::vector<StitchedSegment> trimmedSegments(const std::vector<Image>& images);

// The trimmed shots one under another, centred, on white. Images without positive size are
// left out; none when nothing remains or the result would be too large to allocate.
[[nodiscard]] std::optional<Image> stitchVertically(const std::vector<Image>& images);

// The images one under another on `backgroundColor`, each on a white rounded card with a
// soft shadow, `spacing` points apart and `padding` points from the edges. Images without
// positive size are left out; none when nothing remains or the canvas cannot be allocated.
[[nodiscard]] std::optional<Image> stackVertically(
    const std::vector<Image>& images, double spacing, double padding, const QColor& backgroundColor);

} // namespace ImageCompositionService
