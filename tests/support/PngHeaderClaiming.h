#pragma once

#include <QByteArray>
#include <QtEndian>

namespace PngHeaderClaiming {

// The PNG chunk checksum (CRC-32, reflected polynomial 0xEDB88320), bit by bit.
inline quint32 chunkChecksum(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG that announces the given size in its header and then breaks off at the start of its
// pixel data: enough for a reader to learn the size, never enough to decode.
inline QByteArray png(quint32 width, quint32 height)
{
    const auto chunk = [](const QByteArray& type, const QByteArray& data) {
        char number[4];
        qToBigEndian(quint32(data.size()), number);
        const QByteArray body = type + data;
        QByteArray bytes(number, 4);
        bytes.append(body);
        qToBigEndian(chunkChecksum(body), number);
        bytes.append(number, 4);
        return bytes;
    };
    char size[8];
    qToBigEndian(width, size);
    qToBigEndian(height, size + 4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
        + chunk("IHDR", QByteArray(size, 8) + QByteArray("\x08\x06\x00\x00\x00", 5))
        + chunk("IDAT", QByteArray("\x78\x9c", 2));
}

} // namespace PngHeaderClaiming
