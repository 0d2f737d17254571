#pragma once

#include "engine/ScreenTextRegions.h"

#include <QImage>

// Turns one region of a screenshot into the picture a text recognizer reads best: dark text
// on white paper, at a size where its letters are large enough for the engine.
namespace RecognitionPicture {

// Lines this tall (ascender to descender) read reliably; smaller screen text, drawn with
// few pixels per stroke, loses letters and whole words.
constexpr int comfortableLineHeight = 24;
constexpr double largestScale = 4.0;

// How much to enlarge a region whose lines are `lineHeight` pixels tall, in quarter steps;
// never shrinks. Without measured lines the picture's density decides: a 1x screenshot's
// interface text is small, a 2x one's is not.
[[nodiscard]] double scaleFor(int lineHeight, double pixelsPerPoint);

// The region cut out of `grey` (8-bit), each pixel's difference from the region's background
// mapped to darkness, so light-on-dark text comes out dark-on-light and faint grey captions
// as dark as body text; strokes longer than any glyph (frames, rules) removed; then enlarged
// by `scale`.
[[nodiscard]] QImage prepare(const QImage& grey, const TextRegion& region, double scale);

} // namespace RecognitionPicture
