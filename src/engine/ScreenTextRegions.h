#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// One block of text on one background: a terminal, a panel, a column of a page, a dialog.
struct TextRegion {
    // In image pixels: the text's extent plus a margin of background, inside the image.
    QRect area;
    // Grey level of the paper the text stands on; text may be darker or lighter.
    int background = 255;
    // Largest difference from the background among the region's pixels.
    int strongestInk = 0;
    // Median height of the text lines, from ascenders to descenders, in pixels.
    int lineHeight = 0;
    int lineCount = 0;

    friend bool operator==(const TextRegion&, const TextRegion&) = default;
};

// Finds the text of a screenshot block by block, so that each block can be read on its own:
// a text recognizer given a whole screen interleaves the lines of panels side by side and
// binarises light-on-dark and dark-on-light areas with one threshold, losing one of them.
namespace ScreenTextRegions {

// A pixel differs this much from its background before it counts as ink; below it lie the
// faint fills of input fields and the shading of buttons.
constexpr int inkContrast = 40;

// Expects 8-bit grey pixels. Areas of one background (split where the background of whole
// rows or columns changes), then within each the blocks separated by wide blank gaps (the
// columns of a page). Returned in reading order: top to bottom, and left to right within a
// band. Areas without ink give no region.
[[nodiscard]] std::vector<TextRegion> find(const QImage& grey);

// `region` cut between its lines into `pieces` regions of about as many lines each, top to
// bottom, so that several workers can share one large block. Unchanged when it has fewer than
// a dozen lines per piece.
[[nodiscard]] std::vector<TextRegion> splitAtLineGaps(const QImage& grey, const TextRegion& region, int pieces);

} // namespace ScreenTextRegions
