#include "storage/AtomicFileWriter.h"

#include "domain/FileSystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFileWriter {

namespace {

// The kernel's own limit on links followed while resolving one path.
constexpr int maximumLinkHops = 40;

[[noreturn]] void fail(const QString& path, const QString& reason)
{
    throw FileSystemError(QStringLiteral("Could not save “%1”: %2.").arg(path, reason));
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Follows symbolic links to the path that is finally written, also when the last target
// does not exist yet (QFileInfo::canonicalFilePath would give nothing then).
QString finalTarget(const QString& path)
{
    QString current = path;
    for (int hop = 0; hop < maximumLinkHops; ++hop) {
        const QFileInfo link(current);
        if (!link.isSymLink())
            return current;
        const QString target = link.symLinkTarget(); // absolute, resolved against the link's folder
        if (target.isEmpty())
            return current;
        current = target;
    }
    fail(path, systemReason(ELOOP));
}

void writeAll(int descriptor, const QString& path, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = errno;
            ::close(descriptor);
            fail(path, systemReason(error));
        }
        data += written;
        left -= written;
    }
}

// A device or a pipe has no folder entry to replace: the bytes go straight to it.
void writeThrough(const QString& path, const QByteArray& bytes)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        fail(path, systemReason(errno));
    writeAll(descriptor, path, bytes);
    if (::close(descriptor) != 0 && errno != EINTR)
        fail(path, systemReason(errno));
}

void replaceRegularFile(const QString& path, const QByteArray& bytes, const Options& options)
{
    QSaveFile file(path);
    const auto failWithFileError = [&] { fail(path, file.errorString()); };
    if (!file.open(QIODevice::WriteOnly))
        failWithFileError();
    // Before the bytes, so that a private file is never readable by others, not even briefly.
    if (options.permissions && !file.setPermissions(*options.permissions))
        failWithFileError();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        failWithFileError();
    }
    if (!file.commit())
        failWithFileError();
}

} // namespace

void write(const QString& path, const QByteArray& bytes, const Options& options)
{
    const QString target = finalTarget(path);
    struct stat status { };
    if (::stat(QFile::encodeName(target).constData(), &status) != 0) {
        if (errno != ENOENT)
            fail(path, systemReason(errno));
        return replaceRegularFile(target, bytes, options);
    }
    if (S_ISREG(status.st_mode))
        return replaceRegularFile(target, bytes, options);
    if (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode))
        return writeThrough(target, bytes);
    if (S_ISDIR(status.st_mode))
        fail(path, QStringLiteral("it is a folder"));
    fail(path, QStringLiteral("it is neither a file nor a device that can be written to"));
}

} // namespace AtomicFileWriter
