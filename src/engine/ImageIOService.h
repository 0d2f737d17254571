#pragma once

#include "domain/Image.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Images to bytes and back. Encoding goes through our own PNG writer, decoding through Qt's
// image readers only: they are fuzzed upstream, and a file is hostile input.
namespace ImageIOService {

// PNG bytes of the image's pixels (not rescaled to points, no metadata). Throws ImageIOError
// couldNotEncode for an image without pixels or when encoding fails.
[[nodiscard]] QByteArray pngData(const Image& image);

// The first image in the file or bytes (PNG, JPEG, TIFF or any format Qt reads), as 32-bit
// premultiplied ARGB whose point size equals its pixel size. None when the data is not a
// readable image. Throws ImageIOError imageTooLarge, before decoding anything, when the
// size its header announces would not fit in memory; files and pasted pictures alike.
[[nodiscard]] std::optional<Image> readImage(const QString& path);
[[nodiscard]] std::optional<Image> readImageData(const QByteArray& data);

} // namespace ImageIOService
