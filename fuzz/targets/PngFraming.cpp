#include "PngFraming.h"

#include <QtEndian>

#include <array>
#include <cstdint>

namespace PngFraming {

namespace {

constexpr char signature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype signatureLength = 8;
constexpr qsizetype chunkFraming = 12;
constexpr int largestSide = 48;

std::uint32_t crc32(const char* bytes, qsizetype length)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xffffffffu;
    for (qsizetype i = 0; i < length; ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

QByteArray bigEndian(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    return bigEndian(static_cast<std::uint32_t>(data.size())) + body + bigEndian(crc32(body.constData(), body.size()));
}

std::uint8_t byteAt(const QByteArray& input, qsizetype index)
{
    return index < input.size() ? static_cast<std::uint8_t>(input[index]) : 0;
}

} // namespace

QByteArray withCorrectChecksums(const QByteArray& png)
{
    QByteArray fixed = png;
    qsizetype offset = signatureLength;
    while (offset <= fixed.size() - chunkFraming) {
        const qsizetype length = qFromBigEndian<std::uint32_t>(fixed.constData() + offset);
        if (length > fixed.size() - offset - chunkFraming)
            break;
        const std::uint32_t crc = crc32(fixed.constData() + offset + 4, length + 4);
        qToBigEndian(crc, fixed.data() + offset + 8 + length);
        offset += chunkFraming + length;
    }
    return fixed;
}

BuiltImage build(const QByteArray& input)
{
    const std::uint8_t shape = byteAt(input, 0);
    const bool alpha = shape & 1;
    const qsizetype idatCount = 1 + (shape >> 1 & 3);
    const int width = 1 + byteAt(input, 1) % largestSide;
    const int height = 1 + byteAt(input, 2) % largestSide;
    const qsizetype stride = 1 + qsizetype(width) * (alpha ? 4 : 3);
    const QByteArray fill = input.mid(3);

    BuiltImage built;
    QByteArray scanlines(stride * height, '\0');
    for (qsizetype i = 0; i < scanlines.size(); ++i)
        scanlines[i] = fill.isEmpty() ? '\0' : fill[i % fill.size()];
    for (int y = 0; y < height; ++y) {
        // Mostly the five real filters; the top few values stay as they are, unknown ones.
        const auto filter = static_cast<std::uint8_t>(scanlines[y * stride]);
        if (filter < 250)
            scanlines[y * stride] = static_cast<char>(filter % 5);
        else
            built.everyFilterKnown = false;
    }

    QByteArray header = bigEndian(std::uint32_t(width)) + bigEndian(std::uint32_t(height));
    header += QByteArray::fromRawData(alpha ? "\x08\x06\0\0\0" : "\x08\x02\0\0\0", 5);
    // qCompress puts the uncompressed length before the zlib stream.
    const QByteArray stream = qCompress(scanlines).mid(4);
    built.png = QByteArray(signature, signatureLength) + chunk("IHDR", header);
    const qsizetype partLength = stream.size() / idatCount + 1;
    for (qsizetype start = 0; start < stream.size(); start += partLength)
        built.png += chunk("IDAT", stream.mid(start, partLength));
    built.png += chunk("IEND", QByteArray());
    return built;
}

} // namespace PngFraming
