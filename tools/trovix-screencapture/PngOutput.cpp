#include "PngOutput.h"

#include "ToolFailure.h"

#include "domain/FileSystemError.h"
#include "engine/PngWriter.h"
#include "storage/AtomicFileWriter.h"


namespace PngOutput {

void write(const QImage& image, const QString& path)
{
    // The application reads the file back at once and deletes it: time matters, size little.
    const std::optional<QByteArray> bytes = PngWriter::encode(image, PngWriter::Compression::fast);
    if (!bytes)
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot encode the PNG for \"%1\"").arg(path));
    try {
        AtomicFileWriter::write(path, *bytes);
    } catch (const FileSystemError& error) {
        throw ToolFailure(ToolFailure::Kind::captureFailed, error.description());
    }
}

} // namespace PngOutput
