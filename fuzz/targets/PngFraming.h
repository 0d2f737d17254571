#pragma once

#include <QByteArray>

// PNG files made from fuzz input, so that mutations get past the checksums and the zlib
// stream that would otherwise reject nearly all of them before any pixel is read.
namespace PngFraming {

// The same chunks with each CRC recomputed; bytes that do not frame a chunk stay as they are.
[[nodiscard]] QByteArray withCorrectChecksums(const QByteArray& png);

struct BuiltImage {
    QByteArray png;
    // False when some row names a filter type PNG does not have.
    bool everyFilterKnown = true;
};

// A valid 8-bit RGB or RGBA file of up to 48 x 48 pixels: the first bytes choose the shape
// and how the image data is split into IDAT chunks, the rest fills the scanlines, filter
// bytes included.
[[nodiscard]] BuiltImage build(const QByteArray& input);

} // namespace PngFraming
