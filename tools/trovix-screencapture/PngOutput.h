#pragma once

#include <QImage>
#include <QString>

namespace PngOutput {

// Writes the image as PNG to a temporary file beside `path` and renames it into place,
// so a reader never sees a half-written file and a failure leaves an existing file alone.
// Throws ToolFailure.
void write(const QImage& image, const QString& path);

} // namespace PngOutput
