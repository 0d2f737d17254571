#include "PngOutput.h"

#include "ToolFailure.h"

#include "engine/PngWriter.h"

#include <QSaveFile>

namespace PngOutput {

void write(const QImage& image, const QString& path)
{
    // The application's own encoder: several times faster than Qt's on screen-sized images.
    const std::optional<QByteArray> bytes = PngWriter::encode(image);
    if (!bytes)
        throw ToolFailure(ToolFailure::Kind::captureFailed, QStringLiteral("cannot encode the PNG for \"%1\"").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
}

} // namespace PngOutput
