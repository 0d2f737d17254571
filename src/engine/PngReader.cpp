#include "engine/PngReader.h"

#include "engine/LargeBuffer.h"

#include <libdeflate.h>

#include <QRgb>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace PngReader {

namespace {

using LargeBuffer::Bytes;

constexpr unsigned char signature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
// Length and type before the data, CRC after it.
constexpr std::size_t chunkFraming = 12;
// PNG's four-byte numbers, chunk lengths and image sides alike, stop at 2^31 - 1.
constexpr std::uint32_t maxPngNumber = 0x7fffffff;
// The same ceiling as for files the user opens: a gigabyte of 32-bit pixels.
constexpr std::uint64_t maxImageBytes = std::uint64_t { 1 } << 30;
constexpr std::size_t headerLength = 13;
constexpr std::uint8_t colorTypeRgb = 2;
constexpr std::uint8_t colorTypeRgba = 6;
// Deflate writes at most 258 bytes per two bits of input; a stream that could not fill the
// scanlines even at that rate is refused before a buffer of the declared size is reserved.
constexpr std::size_t maxInflateRatio = 1032;

[[nodiscard]] constexpr std::uint32_t chunkType(const char (&name)[5])
{
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16
        | std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint32_t(std::uint8_t(name[3]));
}

constexpr std::uint32_t ihdr = chunkType("IHDR");
constexpr std::uint32_t idat = chunkType("IDAT");
constexpr std::uint32_t iend = chunkType("IEND");

struct Chunk {
    std::uint32_t type = 0;
    const std::uint8_t* data = nullptr;
    std::size_t length = 0;
};

// Walks the chunks after the signature. Every length is checked against the bytes left before
// anything is read, so a hostile length cannot reach past the buffer.
class ChunkCursor {
public:
    explicit ChunkCursor(const QByteArray& png)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(png.constData()))
        , m_size(static_cast<std::size_t>(png.size()))
        , m_offset(sizeof signature)
    { }

    [[nodiscard]] bool hasSignature() const
    {
        return m_size >= sizeof signature && std::memcmp(m_bytes, signature, sizeof signature) == 0;
    }

    [[nodiscard]] bool atEnd() const { return m_offset == m_size; }

    // None when the chunk is cut short or its CRC does not match.
    std::optional<Chunk> next()
    {
        if (m_offset > m_size || m_size - m_offset < chunkFraming)
            return std::nullopt;
        const std::uint8_t* start = m_bytes + m_offset;
        const std::uint32_t length = qFromBigEndian<std::uint32_t>(start);
        if (length > maxPngNumber || m_size - m_offset - chunkFraming < length)
            return std::nullopt;
        const std::uint32_t storedCrc = qFromBigEndian<std::uint32_t>(start + 8 + length);
        if (libdeflate_crc32(0, start + 4, length + 4) != storedCrc)
            return std::nullopt;
        m_offset += chunkFraming + length;
        return Chunk { qFromBigEndian<std::uint32_t>(start + 4), start + 8, length };
    }

private:
    const std::uint8_t* m_bytes;
    std::size_t m_size;
    std::size_t m_offset;
};

struct Header {
    int width = 0;
    int height = 0;
    std::size_t channels = 0;

    [[nodiscard]] std::size_t rowBytes() const { return static_cast<std::size_t>(width) * channels; }
    [[nodiscard]] std::size_t stride() const { return rowBytes() + 1; }
    [[nodiscard]] std::size_t scanlineBytes() const { return stride() * static_cast<std::size_t>(height); }
};

std::optional<Header> parseHeader(const Chunk& chunk)
{
    if (chunk.type != ihdr || chunk.length != headerLength)
        return std::nullopt;
    const std::uint32_t width = qFromBigEndian<std::uint32_t>(chunk.data);
    const std::uint32_t height = qFromBigEndian<std::uint32_t>(chunk.data + 4);
    const std::uint8_t* rest = chunk.data + 8;
    const std::uint8_t bitDepth = rest[0];
    const std::uint8_t colorType = rest[1];
    // Deflate, adaptive filtering, no interlace: the only methods we handle.
    if (bitDepth != 8 || (colorType != colorTypeRgb && colorType != colorTypeRgba) || rest[2] != 0 || rest[3] != 0
        || rest[4] != 0)
        return std::nullopt;
    // Sides below 2^31 keep the byte count below 2^64; under the limit each side is below 2^28
    // and fits an int.
    if (width == 0 || height == 0 || width > maxPngNumber || height > maxPngNumber
        || std::uint64_t { width } * height * 4 > maxImageBytes)
        return std::nullopt;
    return Header { static_cast<int>(width), static_cast<int>(height), colorType == colorTypeRgba ? 4u : 3u };
}

// The zlib stream split over consecutive IDAT chunks, joined only when there is more than one.
struct ImageData {
    std::vector<std::uint8_t> joined;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Reads the IDAT chunks and the IEND that must follow them and end the file.
std::optional<ImageData> readImageData(ChunkCursor& cursor)
{
    std::vector<Chunk> parts;
    std::optional<Chunk> chunk = cursor.next();
    while (chunk && chunk->type == idat) {
        parts.push_back(*chunk);
        chunk = cursor.next();
    }
    if (parts.empty() || !chunk || chunk->type != iend || chunk->length != 0 || !cursor.atEnd())
        return std::nullopt;
    ImageData image;
    if (parts.size() == 1) {
        image.data = parts.front().data;
        image.size = parts.front().length;
        return image;
    }
    for (const Chunk& part : parts)
        image.joined.insert(image.joined.end(), part.data, part.data + part.length);
    image.data = image.joined.data();
    image.size = image.joined.size();
    return image;
}

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};
using Decompressor = std::unique_ptr<libdeflate_decompressor, DecompressorDeleter>;

// The stream must fill the scanlines exactly and end where the image data ends.
Bytes inflate(const ImageData& compressed, std::size_t expectedSize)
{
    if (expectedSize / maxInflateRatio > compressed.size)
        return nullptr;
    const Decompressor decompressor(libdeflate_alloc_decompressor());
    // One spare byte for the four-byte loads of the last RGB pixel.
    Bytes scanlines = LargeBuffer::allocate(expectedSize + 1);
    if (!decompressor || !scanlines)
        return nullptr;
    std::size_t consumed = 0;
    std::size_t produced = 0;
    const libdeflate_result result = libdeflate_zlib_decompress_ex(
        decompressor.get(), compressed.data, compressed.size, scanlines.get(), expectedSize, &consumed, &produced);
    if (result != LIBDEFLATE_SUCCESS || consumed != compressed.size || produced != expectedSize)
        return nullptr;
    return scanlines;
}

[[nodiscard]] inline std::uint8_t paethPredictor(int left, int above, int aboveLeft)
{
    const int estimate = left + above - aboveLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toAboveLeft = std::abs(estimate - aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft)
        return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toAbove <= toAboveLeft ? above : aboveLeft);
}

// Every row of our writer's files uses Up; sixteen bytes at a time make it a small part of the
// decoding instead of the largest.
void addUp(std::uint8_t* __restrict row, const std::uint8_t* __restrict above, std::size_t length)
{
    using Block = std::uint8_t __attribute__((vector_size(16)));
    std::size_t i = 0;
    for (; i + sizeof(Block) <= length; i += sizeof(Block)) {
        Block current;
        Block upper;
        std::memcpy(&current, row + i, sizeof(Block));
        std::memcpy(&upper, above + i, sizeof(Block));
        current += upper;
        std::memcpy(row + i, &current, sizeof(Block));
    }
    for (; i < length; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
}

// Reverses one row's filter in place; the row above is already reconstructed (zeros for the
// first). Bytes before the first pixel count as zero. False for an unknown filter type.
template <std::size_t pixelBytes>
bool unfilterRow(
    std::uint8_t filter, std::uint8_t* __restrict row, const std::uint8_t* __restrict above, std::size_t length)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = pixelBytes; i < length; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + row[i - pixelBytes]);
        return true;
    case 2:
        addUp(row, above, length);
        return true;
    case 3:
        for (std::size_t i = 0; i < pixelBytes; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + (above[i] >> 1));
        for (std::size_t i = pixelBytes; i < length; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - pixelBytes] + above[i]) >> 1));
        return true;
    case 4:
        for (std::size_t i = 0; i < pixelBytes; ++i)
            row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
        for (std::size_t i = pixelBytes; i < length; ++i)
            row[i] = static_cast<std::uint8_t>(
                row[i] + paethPredictor(row[i - pixelBytes], above[i], above[i - pixelBytes]));
        return true;
    default:
        return false;
    }
}

// One four-byte load per pixel; for RGB it takes the next pixel's first byte along.
void storeRgbRow(const std::uint8_t* row, int width, QRgb* out)
{
    for (int x = 0; x < width; ++x, row += 3)
        out[x] = 0xff000000 | qFromBigEndian<std::uint32_t>(row) >> 8;
}

// Most pixels of a capture are opaque: those are a plain store, only the rest are multiplied.
void storeRgbaRow(const std::uint8_t* row, int width, QRgb* out)
{
    for (int x = 0; x < width; ++x, row += 4) {
        const std::uint32_t rgba = qFromBigEndian<std::uint32_t>(row);
        const QRgb argb = rgba >> 8 | rgba << 24;
        out[x] = (rgba & 0xff) == 0xff ? argb : qPremultiply(argb);
    }
}

template <std::size_t pixelBytes> bool reconstruct(const Header& header, std::uint8_t* scanlines, QRgb* pixels)
{
    const std::size_t length = header.rowBytes();
    const std::vector<std::uint8_t> zeros(length, 0);
    const std::uint8_t* above = zeros.data();
    for (int y = 0; y < header.height; ++y) {
        std::uint8_t* row = scanlines + header.stride() * static_cast<std::size_t>(y);
        if (!unfilterRow<pixelBytes>(row[0], row + 1, above, length))
            return false;
        QRgb* out = pixels + static_cast<std::size_t>(header.width) * static_cast<std::size_t>(y);
        if constexpr (pixelBytes == 4)
            storeRgbaRow(row + 1, header.width, out);
        else
            storeRgbRow(row + 1, header.width, out);
        above = row + 1;
    }
    return true;
}

// The image owns the pixels from here and frees them when its last copy goes.
std::optional<QImage> wrap(Bytes pixels, const Header& header)
{
    const auto freePixels = [](void* bytes) { std::free(bytes); };
    QImage image(pixels.get(), header.width, header.height, static_cast<qsizetype>(header.width) * sizeof(QRgb),
        header.channels == 4 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32, freePixels, pixels.get());
    if (image.isNull())
        return std::nullopt;
    pixels.release();
    return image;
}

std::optional<QImage> decode(const QByteArray& png)
{
    ChunkCursor cursor(png);
    if (!cursor.hasSignature())
        return std::nullopt;
    const std::optional<Chunk> first = cursor.next();
    const std::optional<Header> header = first ? parseHeader(*first) : std::nullopt;
    if (!header)
        return std::nullopt;
    const std::optional<ImageData> compressed = readImageData(cursor);
    if (!compressed)
        return std::nullopt;
    const Bytes scanlines = inflate(*compressed, header->scanlineBytes());
    if (!scanlines)
        return std::nullopt;
    Bytes pixels = LargeBuffer::allocate(static_cast<std::size_t>(header->width) * header->height * sizeof(QRgb));
    if (!pixels)
        return std::nullopt;
    auto* argb = reinterpret_cast<QRgb*>(pixels.get());
    const bool alpha = header->channels == 4;
    if (!(alpha ? reconstruct<4>(*header, scanlines.get(), argb) : reconstruct<3>(*header, scanlines.get(), argb)))
        return std::nullopt;
    return wrap(std::move(pixels), *header);
}

} // namespace

std::optional<QImage> decodeSimple(const QByteArray& png)
{
    try {
        return decode(png);
    } catch (const std::bad_alloc&) {
        // Joining many IDAT chunks can exhaust memory; Qt gets its own try and reports it.
        return std::nullopt;
    }
}

} // namespace PngReader
