#include "engine/PasteboardImageProvider.h"

#include "domain/ImageIOError.h"
#include "engine/ImageIOService.h"

#include <QBuffer>
#include <QImageWriter>

namespace {

const QString s_tiffType = QStringLiteral("image/tiff");
const QString s_pngType = QStringLiteral("image/png");

std::optional<QByteArray> tiffData(const QImage& pixels)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (!writer.write(pixels))
        return std::nullopt;
    return bytes;
}

} // namespace

PasteboardImageProvider::PasteboardImageProvider(Image image)
    : m_image(std::move(image))
{
}

QStringList PasteboardImageProvider::types()
{
    return { s_tiffType, s_pngType };
}

std::optional<QByteArray> PasteboardImageProvider::dataForType(const QString& mimeType) const
{
    if (mimeType == s_tiffType) {
        ++m_encodeCount;
        return tiffData(m_image.pixels());
    }
    if (mimeType == s_pngType) {
        ++m_encodeCount;
        try {
            return ImageIOService::pngData(m_image);
        } catch (const ImageIOError&) {
            // The reader simply gets no data for this format; there is nobody to tell.
            return std::nullopt;
        }
    }
    return std::nullopt;
}
