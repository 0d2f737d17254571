#include "engine/PngWriter.h"

#include "engine/LargeBuffer.h"

#include <isa-l/igzip_lib.h>
#include <libdeflate.h>

#include <QRgb>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace PngWriter {

namespace {

using LargeBuffer::Bytes;

constexpr int compressionLevel = 6;
constexpr std::uint8_t upFilter = 2;
constexpr char colorTypeRgb = 2;
constexpr char colorTypeRgba = 6;
// A chunk length is a 31-bit number; only an image of many gigabytes needs a second IDAT.
constexpr std::size_t maxChunkLength = 0x7fffffff;
constexpr char signature[] = "\x89PNG\r\n\x1a\n";

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

// The three 32-bit layouts the row filters read; everything else is converted once.
QImage thirtyTwoBitImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return image;
    default:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    }
}

// The Up filter on four channels at once: each byte minus the byte above it, modulo 256,
// without borrows crossing into the neighbouring byte.
[[nodiscard]] inline std::uint32_t byteDifferences(std::uint32_t pixel, std::uint32_t above)
{
    constexpr std::uint32_t high = 0x80808080;
    return ((pixel | high) - (above & ~high)) ^ ((pixel ^ ~above) & high);
}

// Writes filter byte and R, G, B of each pixel. Four bytes are stored per pixel, the last
// overwritten by the next one, so the buffer needs one spare byte after the row.
// Returns whether every pixel of the row is opaque.
bool filterRgbRow(const QRgb* row, const QRgb* above, int width, std::uint8_t* out)
{
    QRgb all = 0xffffffff;
    *out++ = upFilter;
    for (int x = 0; x < width; ++x) {
        all &= row[x];
        qToBigEndian<std::uint32_t>(byteDifferences(row[x], above[x]) << 8, out);
        out += 3;
    }
    return qAlpha(all) == 255;
}

void filterRgbaRow(const QRgb* row, const QRgb* above, int width, std::uint8_t* out)
{
    *out++ = upFilter;
    for (int x = 0; x < width; ++x) {
        const std::uint32_t argb = byteDifferences(row[x], above[x]);
        qToBigEndian<std::uint32_t>((argb << 8) | (argb >> 24), out);
        out += 4;
    }
}

// Most pixels of a capture are opaque and need no division: testing sixteen at a time keeps
// those a plain copy.
void unpremultiplyRow(const QRgb* row, std::size_t width, QRgb* out)
{
    constexpr std::size_t block = 16;
    const auto unpremultiply = [](QRgb pixel) { return qUnpremultiply(pixel); };
    std::size_t x = 0;
    for (; x + block <= width; x += block) {
        QRgb all = 0xffffffff;
        for (std::size_t i = 0; i < block; ++i)
            all &= row[x + i];
        if (qAlpha(all) == 255)
            std::copy_n(row + x, block, out + x);
        else
            std::transform(row + x, row + x + block, out + x, unpremultiply);
    }
    std::transform(row + x, row + width, out + x, unpremultiply);
}

struct Scanlines {
    Bytes bytes;
    std::size_t size = 0;
    std::size_t stride = 0;

    [[nodiscard]] std::uint8_t* row(int y) const { return bytes.get() + stride * static_cast<std::size_t>(y); }
};

std::optional<Scanlines> allocateScanlines(const QImage& image, std::size_t channels)
{
    const std::size_t stride = static_cast<std::size_t>(image.width()) * channels + 1;
    const std::size_t size = stride * static_cast<std::size_t>(image.height());
    Scanlines scanlines { LargeBuffer::allocate(size + 1), size, stride };
    if (!scanlines.bytes)
        return std::nullopt;
    return scanlines;
}

// None as soon as a pixel is not opaque (premultiplied and straight agree on opaque pixels),
// or when memory runs out, in which case the larger RGBA attempt fails too.
std::optional<Scanlines> opaqueScanlines(const QImage& image)
{
    std::optional<Scanlines> scanlines = allocateScanlines(image, 3);
    if (!scanlines)
        return std::nullopt;
    const std::vector<QRgb> zeros(static_cast<std::size_t>(image.width()), 0);
    // RGB32 is opaque by definition, whatever a foreign buffer left in its padding byte.
    const bool opaqueFormat = image.format() == QImage::Format_RGB32;
    const QRgb* above = zeros.data();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!filterRgbRow(row, above, image.width(), scanlines->row(y)) && !opaqueFormat)
            return std::nullopt;
        above = row;
    }
    return scanlines;
}

// PNG stores straight alpha: premultiplied rows are converted one at a time, keeping the
// converted row above for the filter.
std::optional<Scanlines> alphaScanlines(const QImage& image)
{
    std::optional<Scanlines> scanlines = allocateScanlines(image, 4);
    if (!scanlines)
        return std::nullopt;
    const auto width = static_cast<std::size_t>(image.width());
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    std::vector<QRgb> current(width);
    std::vector<QRgb> above(width, 0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (premultiplied)
            unpremultiplyRow(row, width, current.data());
        else
            std::copy(row, row + width, current.begin());
        filterRgbaRow(current.data(), above.data(), image.width(), scanlines->row(y));
        std::swap(current, above);
    }
    return scanlines;
}

void appendUint32(QByteArray& out, std::uint32_t value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char (&type)[5], const char* data, std::size_t length)
{
    appendUint32(out, static_cast<std::uint32_t>(length));
    const qsizetype typeStart = out.size();
    out.append(type, 4);
    if (length > 0)
        out.append(data, static_cast<qsizetype>(length));
    appendUint32(out, libdeflate_crc32(0, out.constData() + typeStart, length + 4));
}

QByteArray header(const QImage& image, bool withAlpha)
{
    QByteArray data;
    appendUint32(data, static_cast<std::uint32_t>(image.width()));
    appendUint32(data, static_cast<std::uint32_t>(image.height()));
    // Bit depth 8, colour type, deflate, adaptive filtering, no interlace.
    const char rest[5] = { 8, withAlpha ? colorTypeRgba : colorTypeRgb, 0, 0, 0 };
    data.append(rest, 5);
    return data;
}

struct Compressed {
    Bytes bytes;
    std::size_t size = 0;
};

std::optional<Compressed> compactStream(const Scanlines& scanlines)
{
    const Compressor compressor(libdeflate_alloc_compressor(compressionLevel));
    if (!compressor)
        return std::nullopt;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), scanlines.size);
    Compressed result { LargeBuffer::allocate(bound), 0 };
    if (!result.bytes)
        return std::nullopt;
    result.size
        = libdeflate_zlib_compress(compressor.get(), scanlines.bytes.get(), scanlines.size, result.bytes.get(), bound);
    if (result.size == 0)
        return std::nullopt;
    return result;
}

// Level 1 in one call; data that does not shrink is stored in blocks of at most 64 KiB with a
// few bytes of framing each, so an eighth more than the input is always enough.
std::optional<Compressed> fastStream(const Scanlines& scanlines)
{
    if (scanlines.size > std::numeric_limits<std::uint32_t>::max() / 2)
        return std::nullopt;
    const std::size_t bound = scanlines.size + scanlines.size / 8 + 1024;
    Compressed result { LargeBuffer::allocate(bound), 0 };
    std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    if (!result.bytes)
        return std::nullopt;
    isal_zstream stream;
    isal_deflate_stateless_init(&stream);
    stream.level = 1;
    stream.level_buf = levelBuffer.data();
    stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
    stream.gzip_flag = IGZIP_ZLIB;
    stream.end_of_stream = 1;
    stream.next_in = scanlines.bytes.get();
    stream.avail_in = static_cast<std::uint32_t>(scanlines.size);
    stream.next_out = result.bytes.get();
    stream.avail_out = static_cast<std::uint32_t>(bound);
    if (isal_deflate_stateless(&stream) != COMP_OK)
        return std::nullopt;
    result.size = stream.total_out;
    return result;
}

std::optional<QByteArray> assemble(
    const QImage& image, bool withAlpha, const Scanlines& scanlines, Compression compression)
{
    std::optional<Compressed> stream
        = compression == Compression::fast ? fastStream(scanlines) : compactStream(scanlines);
    if (!stream && compression == Compression::fast)
        stream = compactStream(scanlines);
    if (!stream)
        return std::nullopt;
    const std::size_t compressedSize = stream->size;
    const Bytes& compressed = stream->bytes;

    const std::size_t chunkCount = (compressedSize + maxChunkLength - 1) / maxChunkLength;
    QByteArray png;
    png.reserve(static_cast<qsizetype>(8 + 25 + compressedSize + 12 * chunkCount + 12));
    png.append(signature, 8);
    const QByteArray ihdr = header(image, withAlpha);
    appendChunk(png, "IHDR", ihdr.constData(), static_cast<std::size_t>(ihdr.size()));
    const auto* idat = reinterpret_cast<const char*>(compressed.get());
    for (std::size_t offset = 0; offset < compressedSize; offset += maxChunkLength)
        appendChunk(png, "IDAT", idat + offset, std::min(maxChunkLength, compressedSize - offset));
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

} // namespace

std::optional<QByteArray> encode(const QImage& image, Compression compression)
{
    if (image.isNull())
        return std::nullopt;
    try {
        const QImage source = thirtyTwoBitImage(image);
        if (source.isNull())
            return std::nullopt;
        if (const std::optional<Scanlines> scanlines = opaqueScanlines(source))
            return assemble(source, false, *scanlines, compression);
        if (const std::optional<Scanlines> scanlines = alphaScanlines(source))
            return assemble(source, true, *scanlines, compression);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        // QByteArray and std::vector report exhausted memory by throwing; the caller gets
        // none, as for any other failure.
        return std::nullopt;
    }
}

} // namespace PngWriter
