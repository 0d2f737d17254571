#pragma once

#include <QByteArray>
#include <QString>

namespace AtomicFileWriter {

// Writes through a temporary file in the same folder, flushed and then renamed over the
// target, so a failure or a crash never leaves a partial file where the user's was.
// Throws FileSystemError.
void write(const QString& path, const QByteArray& bytes);

} // namespace AtomicFileWriter
