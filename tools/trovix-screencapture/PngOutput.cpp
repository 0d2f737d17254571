#include "PngOutput.h"

#include "ToolFailure.h"

#include "engine/PngWriter.h"

#include <QSaveFile>

namespace PngOutput {

void write(const QImage& image, const QString& path)
{
    // The application reads the file back at once and deletes it: time matters, size little.
    const std::optional<QByteArray> bytes = PngWriter::encode(image, PngWriter::Compression::fast);
    if (!bytes)
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot encode the PNG for \"%1\"").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
}

} // namespace PngOutput
