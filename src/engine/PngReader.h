#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

// A fast decoder for the plain PNGs our screenshot tool writes, about three times faster than
// Qt's on a 4K capture. It takes only 8-bit RGB or RGBA, non-interlaced, with IHDR, IDAT and
// IEND and nothing else; any other file, valid or not, is left to Qt, whose readers are fuzzed
// and report real errors.
namespace PngReader {

// RGB32 for RGB, ARGB32_Premultiplied for RGBA. None for anything else and for any damage:
// truncation, a wrong checksum, data that inflates to the wrong size, an image over 1 GiB of
// 32-bit pixels, or bytes after IEND. Safe on hostile input.
[[nodiscard]] std::optional<QImage> decodeSimple(const QByteArray& png);

} // namespace PngReader
