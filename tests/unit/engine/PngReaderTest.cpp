#include "engine/PngReader.h"

#include "engine/PngWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <QtEndian>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr char signature[] = "\x89PNG\r\n\x1a\n";

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Framed with zlib's CRC, independent of the reader's.
QByteArray chunk(const char* type, const QByteArray& data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()));
    return bigEndian(quint32(data.size())) + body + bigEndian(quint32(crc));
}

QByteArray header(quint32 width, quint32 height, int colorType = 2, int bitDepth = 8, int compression = 0,
    int filterMethod = 0, int interlace = 0)
{
    QByteArray data = bigEndian(width) + bigEndian(height);
    for (const int field : { bitDepth, colorType, compression, filterMethod, interlace })
        data.append(char(field));
    return chunk("IHDR", data);
}

QByteArray zlibStream(const QByteArray& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(size), '\0');
    const int result = compress2(reinterpret_cast<Bytef*>(out.data()), &size,
        reinterpret_cast<const Bytef*>(raw.constData()), uLong(raw.size()), 9);
    EXPECT_EQ(result, Z_OK);
    out.resize(qsizetype(size));
    return out;
}

QByteArray pngOf(const std::vector<QByteArray>& chunks)
{
    QByteArray png(signature, 8);
    for (const QByteArray& part : chunks)
        png += part;
    return png;
}

// Scanlines as stored: each row its filter byte, then bytes that Qt's decoder (libpng)
// unfilters for us. Random bytes reach every wrap-around; flat rows give Paeth its ties.
QByteArray scanlines(int width, int height, int channels, const std::vector<int>& filters)
{
    std::mt19937 random(5);
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
        raw.append(char(filters[std::size_t(y) % filters.size()]));
        const bool flat = y % 3 == 2;
        for (int i = 0; i < width * channels; ++i)
            raw.append(char(flat ? 0 : random() % 256));
    }
    return raw;
}

QByteArray simplePng(int width, int height, int channels, const QByteArray& raw)
{
    return pngOf({ header(quint32(width), quint32(height), channels == 4 ? 6 : 2), chunk("IDAT", zlibStream(raw)),
        chunk("IEND", {}) });
}

// The reader's output format, premultiplied when there is alpha, from Qt's straight pixels.
QImage decodedByQt(const QByteArray& png)
{
    const QImage image = QImage::fromData(png, "PNG");
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied) : image;
}

// A copy with no byte after the last, so a read past the end is caught by the sanitizer
// rather than landing in QByteArray's terminating zero.
std::optional<QImage> decodeExactBuffer(const QByteArray& png)
{
    const auto copy = std::make_unique<char[]>(std::size_t(png.size()));
    std::copy(png.begin(), png.end(), copy.get());
    return PngReader::decodeSimple(QByteArray::fromRawData(copy.get(), png.size()));
}

// Every alpha from 0 to 255 against varied colours, stored premultiplied.
QImage translucentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    std::mt19937 random(11);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, qRgba(int(random() % 256), int(random() % 256), int(random() % 256), (x + y * width) % 256));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage opaqueImage(int width, int height)
{
    return translucentImage(width, height).convertToFormat(QImage::Format_RGB32);
}

// Opaque pictures are stored as RGB, translucent ones as straight RGBA, from any QImage
// format; the reader and Qt's decoder (libpng) give back the same pixels.
TEST(PngReader, DecodesTheWritersOutputLikeQtInTheColourTypeEachPictureNeeds)
{
    QImage transparentPixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    transparentPixel.fill(Qt::transparent);
    // One transparent pixel, the very last, is enough for alpha.
    QImage lastPixelClear = opaqueImage(40, 30).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    lastPixelClear.setPixel(39, 29, qRgba(0, 0, 0, 0));
    // A foreign buffer wrapped as RGB32 may carry zeros where alpha would be: still opaque.
    std::vector<quint32> padded(8 * 4, 0x00336699);
    const QImage foreign(reinterpret_cast<const uchar*>(padded.data()), 8, 4, QImage::Format_RGB32);
    const struct {
        const char* name;
        QImage source;
        bool alpha;
    } cases[] = { { "opaque", opaqueImage(97, 61), false }, { "soft alpha", translucentImage(64, 33), true },
        { "last pixel clear", lastPixelClear, true }, { "transparent 1x1", transparentPixel, true },
        { "odd width, alpha", translucentImage(131, 5), true }, { "tall and narrow", translucentImage(2, 700), true },
        { "ARGB32", translucentImage(23, 17).convertToFormat(QImage::Format_ARGB32), true },
        { "RGB888", opaqueImage(23, 17).convertToFormat(QImage::Format_RGB888), false },
        { "RGBA64", translucentImage(23, 17).convertToFormat(QImage::Format_RGBA64), true },
        { "foreign RGB32", foreign, false } };
    // The screenshot tool hands captures over with the fast compression.
    for (const PngWriter::Compression compression : { PngWriter::Compression::compact, PngWriter::Compression::fast })
        for (const auto& testCase : cases) {
            SCOPED_TRACE(testing::Message() << testCase.name << ", compression " << int(compression));
            const QImage& source = testCase.source;
            const std::optional<QByteArray> png = PngWriter::encode(source, compression);
            ASSERT_TRUE(png);
            EXPECT_EQ(int(static_cast<unsigned char>(png->at(8 + 8 + 9))), testCase.alpha ? 6 : 2) << "colour type";
            const std::optional<QImage> decoded = decodeExactBuffer(*png);
            ASSERT_TRUE(decoded);
            EXPECT_EQ(decoded->format(), testCase.alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
            EXPECT_EQ(*decoded, decodedByQt(*png));
            // Premultiplied pixels are compared as such (straightening them is lossy), others as stored.
            if (source.format() == QImage::Format_ARGB32_Premultiplied)
                EXPECT_EQ(*decoded, source);
            else
                EXPECT_EQ(QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_ARGB32),
                    source.convertToFormat(QImage::Format_ARGB32));
        }
    EXPECT_FALSE(PngWriter::encode(QImage()));
}

TEST(PngReader, ReversesEveryFilterTypeLikeQtAndJoinsSplitImageData)
{
    const struct {
        const char* name;
        std::vector<int> filters;
    } sequences[] = { { "none", { 0 } }, { "sub", { 1 } }, { "up", { 2 } }, { "average", { 3 } }, { "paeth", { 4 } },
        { "each after each", { 0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 3, 1, 4, 2, 0, 2, 4, 1, 3, 0 } } };
    for (const auto& sequence : sequences)
        for (const int channels : { 3, 4 })
            for (const int width : { 1, 2, 37 }) {
                SCOPED_TRACE(testing::Message() << sequence.name << ", " << channels << " channels, width " << width);
                const QByteArray png = simplePng(width, 21, channels, scanlines(width, 21, channels, sequence.filters));
                const QImage expected = decodedByQt(png);
                ASSERT_FALSE(expected.isNull());
                const std::optional<QImage> decoded = decodeExactBuffer(png);
                ASSERT_TRUE(decoded);
                EXPECT_EQ(*decoded, expected);
            }
    // Image data split over several chunks, one of them empty.
    const QByteArray raw = scanlines(9, 6, 4, { 4, 1, 3 });
    const QByteArray stream = zlibStream(raw);
    const std::optional<QImage> joined = decodeExactBuffer(pngOf({ header(9, 6, 6), chunk("IDAT", stream.left(5)),
        chunk("IDAT", {}), chunk("IDAT", stream.mid(5, 1)), chunk("IDAT", stream.mid(6)), chunk("IEND", {}) }));
    ASSERT_TRUE(joined);
    EXPECT_EQ(*joined, decodedByQt(simplePng(9, 6, 4, raw)));
}

// Each case is one defect in an otherwise valid 6 x 4 RGB file, or a file of another shape.
TEST(PngReader, DeclinesDamagedHostileAndOtherShapedFiles)
{
    const int width = 6;
    const int height = 4;
    const QByteArray raw = scanlines(width, height, 3, { 1, 4, 2, 3 });
    const QByteArray headerChunk = header(width, height);
    const QByteArray stream = zlibStream(raw);
    const QByteArray data = chunk("IDAT", stream);
    const QByteArray end = chunk("IEND", {});
    const QByteArray valid = pngOf({ headerChunk, data, end });
    const auto changed = [](QByteArray bytes, qsizetype offset) {
        bytes[offset] = char(bytes[offset] ^ 0x01);
        return bytes;
    };
    const auto withData = [&](const QByteArray& scanlineBytes) {
        return pngOf({ headerChunk, chunk("IDAT", zlibStream(scanlineBytes)), end });
    };
    const QByteArray grey = scanlines(width, height, 1, { 1 });
    const QByteArray deep = scanlines(width, height, 6, { 4 });
    QByteArray unknownFilter = raw;
    unknownFilter[(width * 3 + 1) * 2] = 5;
    const qsizetype dataStart = 8 + headerChunk.size();
    ASSERT_TRUE(decodeExactBuffer(valid)) << "the file without a defect decodes";
    const std::pair<const char*, QByteArray> cases[] = {
        { "wrong signature", changed(valid, 1) },
        { "IHDR CRC", changed(valid, dataStart - 1) },
        { "IDAT CRC", changed(valid, dataStart + data.size() - 2) },
        { "IEND CRC", changed(valid, valid.size() - 1) },
        { "IDAT length", changed(valid, dataStart + 3) },
        { "a deflate byte, with a matching CRC", pngOf({ headerChunk, chunk("IDAT", changed(stream, 3)), end }) },
        { "adler32 of the stream", pngOf({ headerChunk, chunk("IDAT", changed(stream, stream.size() - 1)), end }) },
        { "one scanline byte short", withData(raw.chopped(1)) },
        { "one scanline byte over", withData(raw + '\0') },
        { "bytes after the zlib stream", pngOf({ headerChunk, chunk("IDAT", stream + "xyz"), end }) },
        { "filter type 5", withData(unknownFilter) },
        { "just over a gigabyte of pixels", pngOf({ header(16385, 16384, 6), data, end }) },
        { "width 0", pngOf({ header(0, height), chunk("IDAT", zlibStream({})), end }) },
        { "height 0", pngOf({ header(width, 0), chunk("IDAT", zlibStream({})), end }) },
        { "width over 2^31", pngOf({ header(0x80000001, 1), data, end }) },
        { "2^31 x 2^31, whose byte count wraps to zero in 64 bits",
            pngOf({ header(0x80000000, 0x80000000), data, end }) },
        { "interlaced", pngOf({ header(width, height, 2, 8, 0, 0, 1), data, end }) },
        { "palette", pngOf({ header(width, height, 3), data, end }) },
        { "compression method 1", pngOf({ header(width, height, 2, 8, 1), data, end }) },
        { "filter method 1", pngOf({ header(width, height, 2, 8, 0, 1), data, end }) },
        { "IHDR one byte too long", pngOf({ chunk("IHDR", headerChunk.mid(8, 14)), data, end }) },
        { "IHDR one byte short", pngOf({ chunk("IHDR", headerChunk.mid(8, 12)), data, end }) },
        { "no IDAT", pngOf({ headerChunk, end }) },
        { "IEND with data", pngOf({ headerChunk, data, chunk("IEND", "x") }) },
        { "IDAT after IEND", pngOf({ headerChunk, data, end, data }) },
        { "second IHDR", pngOf({ headerChunk, headerChunk, data, end }) },
        { "garbage after IEND", valid + "trailing" },
        { "chunk length 0xffffffff", pngOf({ headerChunk, bigEndian(0xffffffff) + "IDAT" + stream, end }) },
        // Valid files of another shape are left to Qt's decoder.
        { "gAMA before the data", pngOf({ headerChunk, chunk("gAMA", bigEndian(45455)), data, end }) },
        { "tEXt after the data", pngOf({ headerChunk, data, chunk("tEXt", QByteArray("Comment\0hello", 13)), end }) },
        { "greyscale", pngOf({ header(width, height, 0), chunk("IDAT", zlibStream(grey)), end }) },
        { "16-bit", pngOf({ header(width, height, 2, 16), chunk("IDAT", zlibStream(deep)), end }) },
    };
    for (const auto& [name, png] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(decodeExactBuffer(png));
    }
}

// Every prefix, from the empty file and the bare signature to the file without its end chunk.
TEST(PngReader, DeclinesEveryTruncation)
{
    const std::optional<QByteArray> png = PngWriter::encode(translucentImage(7, 5));
    ASSERT_TRUE(png);
    ASSERT_TRUE(decodeExactBuffer(*png)) << "the whole file decodes";
    for (qsizetype length = 0; length < png->size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(decodeExactBuffer(png->left(length)));
    }
}

} // namespace
