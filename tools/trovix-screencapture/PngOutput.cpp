#include "PngOutput.h"

#include "ToolFailure.h"

#include <QImageWriter>
#include <QSaveFile>

namespace PngOutput {

namespace {

// zlib level 1 on Qt's scale (quality 90 of 100): screenshots are large and have long runs,
// so a stronger level costs several times the time for a few percent of size.
constexpr int fastCompressionQuality = 90;

} // namespace

void write(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
    QImageWriter writer(&file, "png");
    writer.setQuality(fastCompressionQuality);
    if (!writer.write(image))
        throw ToolFailure(ToolFailure::Kind::captureFailed,
            QStringLiteral("cannot encode the PNG for \"%1\": %2").arg(path, writer.errorString()));
    if (!file.commit())
        throw ToolFailure(
            ToolFailure::Kind::captureFailed, QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString()));
}

} // namespace PngOutput
