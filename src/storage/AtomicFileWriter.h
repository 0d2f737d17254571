#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// Writes whole files so that a failure or a crash never leaves a partial file where the
// user's was: a regular file (or a new one) is written to a temporary file in the same
// folder, synced and renamed over it.
//
// Only regular files are replaced. A symbolic link keeps pointing where it pointed (its
// target is written), and a character device or a FIFO (/dev/null, a pipe the user named)
// is written through, never swapped for a file. A folder, a socket or a block device is
// refused.
namespace AtomicFileWriter {

struct Options {
    // Given to the file before any byte is written, and to an existing file it replaces;
    // unset keeps the existing file's permissions (new files get the process default).
    std::optional<QFileDevice::Permissions> permissions;
};

// Throws FileSystemError naming the path and the reason.
void write(const QString& path, const QByteArray& bytes, const Options& options = {});

} // namespace AtomicFileWriter
