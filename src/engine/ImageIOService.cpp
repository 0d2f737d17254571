#include "engine/ImageIOService.h"

#include "domain/ImageIOError.h"
#include "engine/PngWriter.h"

#include <QBuffer>
#include <QImageReader>

namespace ImageIOService {

namespace {

// Qt refuses images over 256 MiB by default; a tall scrolling capture of a 4K screen
// passes that. A gigabyte holds about 70,000 rows of 3840 pixels.
constexpr int allocationLimitMiB = 1024;
constexpr qint64 maxImageBytes = qint64 { allocationLimitMiB } << 20;

bool isAcceptableSize(QSize size)
{
    // An unknown size is left to the reader, which applies the same limit while decoding.
    if (!size.isValid())
        return true;
    return qint64 { size.width() } * size.height() * 4 <= maxImageBytes;
}

std::optional<Image> read(QImageReader& reader)
{
    QImageReader::setAllocationLimit(allocationLimitMiB);
    // Photos carry their orientation in EXIF; show them upright as every viewer does.
    reader.setAutoTransform(true);
    if (!isAcceptableSize(reader.size()))
        throw ImageIOError(ImageIOError::Code::imageTooLarge);
    QImage pixels = reader.read();
    if (pixels.isNull())
        return std::nullopt;
    pixels.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (pixels.isNull())
        return std::nullopt;
    // A file has no notion of points: one point per pixel.
    pixels.setDevicePixelRatio(1.0);
    return Image(std::move(pixels));
}

} // namespace

QByteArray pngData(const Image& image)
{
    if (image.isNull())
        throw ImageIOError(ImageIOError::Code::couldNotEncode);
    std::optional<QByteArray> png = PngWriter::encode(image.pixels());
    if (!png)
        throw ImageIOError(ImageIOError::Code::couldNotEncode);
    return std::move(*png);
}

std::optional<Image> readImage(const QString& path)
{
    QImageReader reader(path);
    return read(reader);
}

std::optional<Image> readImageData(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&buffer);
    return read(reader);
}

} // namespace ImageIOService
