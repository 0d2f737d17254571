#include "services/AtomicFileWriter.h"

#include "domain/FileSystemError.h"

#include <QSaveFile>

namespace AtomicFileWriter {

void write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    const auto fail = [&] {
        throw FileSystemError(QStringLiteral("Could not save “%1”: %2.").arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        fail();
    }
    if (!file.commit())
        fail();
}

} // namespace AtomicFileWriter
