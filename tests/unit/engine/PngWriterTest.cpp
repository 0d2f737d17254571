#include "engine/PngWriter.h"

#include "PngTestImages.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <QImage>
#include <QtEndian>

#include <csetjmp>
#include <random>
#include <vector>

namespace {

struct Chunk {
    QByteArray type;
    QByteArray data;
    bool crcMatches = false;
};

// Walks the chunk list on its own (with zlib's CRC, not the writer's), so a broken length or
// checksum shows up here even if a lenient decoder would skip it.
std::vector<Chunk> chunksOf(const QByteArray& png)
{
    std::vector<Chunk> chunks;
    qsizetype offset = 8;
    while (offset + 12 <= png.size()) {
        const auto length = qFromBigEndian<quint32>(png.constData() + offset);
        if (offset + 12 + qsizetype(length) > png.size())
            break;
        Chunk chunk { png.mid(offset + 4, 4), png.mid(offset + 8, length), false };
        const auto stored = qFromBigEndian<quint32>(png.constData() + offset + 8 + length);
        const auto computed = crc32(0, reinterpret_cast<const Bytef*>(png.constData() + offset + 4), uInt(length + 4));
        chunk.crcMatches = stored == computed;
        chunks.push_back(chunk);
        offset += 12 + qsizetype(length);
    }
    return chunks;
}

int colorTypeOf(const QByteArray& png)
{
    return static_cast<unsigned char>(chunksOf(png).front().data.at(9));
}

struct LibpngImage {
    int width = 0;
    int height = 0;
    int colorType = -1;
    std::vector<unsigned char> rgba; // always expanded to R, G, B, A per pixel
};

struct MemoryReader {
    const QByteArray& bytes;
    qsizetype offset = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->offset + qsizetype(length) > reader->bytes.size())
        png_error(png, "read past the end");
    std::memcpy(out, reader->bytes.constData() + reader->offset, length);
    reader->offset += qsizetype(length);
}

// The rows exactly as stored, decoded by libpng with no transformation.
std::optional<LibpngImage> decodeWithLibpng(const QByteArray& bytes)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader { bytes };
    LibpngImage image;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    image.width = int(png_get_image_width(png, info));
    image.height = int(png_get_image_height(png, info));
    image.colorType = png_get_color_type(png, info);
    const int channels = png_get_channels(png, info);
    png_bytepp rows = png_get_rows(png, info);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const png_bytep pixel = rows[y] + x * channels;
            image.rgba.insert(
                image.rgba.end(), { pixel[0], pixel[1], pixel[2], channels == 4 ? pixel[3] : png_byte(255) });
        }
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

std::vector<unsigned char> rgbaBytesOf(const QImage& image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    std::vector<unsigned char> bytes;
    for (int y = 0; y < rgba.height(); ++y)
        bytes.insert(bytes.end(), rgba.constScanLine(y), rgba.constScanLine(y) + rgba.width() * 4);
    return bytes;
}

// Smooth areas, sharp edges and noise, so every filter difference (including wrap-around
// below zero) occurs.
QImage opaqueImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 256);
            image.setPixel(
                x, y, x < width / 2 ? qRgb(x * 7 % 256, y * 3 % 256, 200) : qRgb(noise, 255 - noise, noise / 3));
        }
    return image;
}

QImage noiseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(int(random() % 256), int(random() % 256), int(random() % 256)));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

using PngTestImages::translucentImage;

// libpng's straight RGBA, premultiplied by Qt: comparable with the premultiplied source.
QImage premultipliedFromLibpng(const LibpngImage& decoded)
{
    const QImage straight(decoded.rgba.data(), decoded.width, decoded.height, QImage::Format_RGBA8888);
    return straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage decodeWithQt(const QByteArray& png)
{
    return QImage::fromData(png, "PNG");
}

// Opaque pictures are stored as RGB, translucent ones as straight RGBA; both decoders give
// back exactly the premultiplied pixels we had, however the data was compressed.
TEST(PngWriter, DecodesIdenticallyInQtAndLibpngWithTheColourTypeItNeeds)
{
    const std::tuple<QImage, int, PngWriter::Compression> cases[] = {
        { opaqueImage(97, 61), PNG_COLOR_TYPE_RGB, PngWriter::Compression::compact },
        { translucentImage(64, 33), PNG_COLOR_TYPE_RGBA, PngWriter::Compression::compact },
        { opaqueImage(97, 61), PNG_COLOR_TYPE_RGB, PngWriter::Compression::fast },
        { translucentImage(64, 33), PNG_COLOR_TYPE_RGBA, PngWriter::Compression::fast },
        // Noise does not shrink: the fast compressor must store it.
        { noiseImage(211, 97), PNG_COLOR_TYPE_RGB, PngWriter::Compression::fast },
    };
    for (const auto& [source, colorType, compression] : cases) {
        SCOPED_TRACE(testing::Message() << colorType << " " << source.width() << "x" << source.height()
                                        << (compression == PngWriter::Compression::fast ? " fast" : " compact"));
        const std::optional<QByteArray> png = PngWriter::encode(source, compression);
        ASSERT_TRUE(png);
        EXPECT_EQ(colorTypeOf(*png), colorType);
        const QImage viaQt = decodeWithQt(*png);
        ASSERT_FALSE(viaQt.isNull());
        EXPECT_EQ(viaQt.convertToFormat(QImage::Format_ARGB32_Premultiplied), source);
        const std::optional<LibpngImage> viaLibpng = decodeWithLibpng(*png);
        ASSERT_TRUE(viaLibpng);
        EXPECT_EQ(viaLibpng->colorType, colorType);
        EXPECT_EQ(viaLibpng->rgba, rgbaBytesOf(viaQt));
        EXPECT_EQ(premultipliedFromLibpng(*viaLibpng), source);
    }
}

TEST(PngWriter, OneTransparentPixelInTheLastRowIsEnoughForAlpha)
{
    QImage source = opaqueImage(40, 30);
    source.setPixel(39, 29, qRgba(0, 0, 0, 0));
    const std::optional<QByteArray> png = PngWriter::encode(source);
    ASSERT_TRUE(png);
    EXPECT_EQ(colorTypeOf(*png), PNG_COLOR_TYPE_RGBA);
    EXPECT_EQ(decodeWithQt(*png).convertToFormat(QImage::Format_ARGB32_Premultiplied), source);
}

TEST(PngWriter, WritesOnlyHeaderOneDataChunkAndEndWithValidChecksums)
{
    for (const QImage& source : { opaqueImage(300, 200), translucentImage(300, 200) }) {
        const std::optional<QByteArray> png = PngWriter::encode(source);
        ASSERT_TRUE(png);
        EXPECT_TRUE(png->startsWith("\x89PNG\r\n\x1a\n"));
        const std::vector<Chunk> chunks = chunksOf(*png);
        ASSERT_EQ(chunks.size(), 3U);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(chunks[1].type, "IDAT");
        EXPECT_EQ(chunks[2].type, "IEND");
        qsizetype total = 8;
        for (const Chunk& chunk : chunks) {
            EXPECT_TRUE(chunk.crcMatches) << chunk.type.constData();
            total += 12 + chunk.data.size();
        }
        EXPECT_EQ(total, png->size()) << "nothing may follow IEND";
        const QByteArray& header = chunks[0].data;
        EXPECT_EQ(qFromBigEndian<quint32>(header.constData()), quint32(source.width()));
        EXPECT_EQ(qFromBigEndian<quint32>(header.constData() + 4), quint32(source.height()));
        EXPECT_EQ(header.at(8), 8) << "bit depth";
    }
}

struct FormatCase {
    const char* name;
    QImage::Format format;
    int expectedColorType;
};

// Names the case in test names and failure messages instead of dumping its bytes.
void PrintTo(const FormatCase& formatCase, std::ostream* out)
{
    *out << formatCase.name;
}

class PngWriterFormats : public testing::TestWithParam<FormatCase> { };

TEST_P(PngWriterFormats, EveryFormatDecodesToTheSamePixels)
{
    const FormatCase& param = GetParam();
    const bool alpha = param.expectedColorType == PNG_COLOR_TYPE_RGBA;
    const QImage source = (alpha ? translucentImage(23, 17) : opaqueImage(23, 17)).convertToFormat(param.format);
    const std::optional<QByteArray> png = PngWriter::encode(source);
    ASSERT_TRUE(png);
    EXPECT_EQ(colorTypeOf(*png), param.expectedColorType);
    EXPECT_EQ(decodeWithQt(*png).convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
}

INSTANTIATE_TEST_SUITE_P(AnyQImageFormat, PngWriterFormats,
    testing::Values(FormatCase { "RGB32", QImage::Format_RGB32, PNG_COLOR_TYPE_RGB },
        FormatCase { "ARGB32", QImage::Format_ARGB32, PNG_COLOR_TYPE_RGBA },
        FormatCase { "RGB888", QImage::Format_RGB888, PNG_COLOR_TYPE_RGB },
        FormatCase { "RGBA8888Premultiplied", QImage::Format_RGBA8888_Premultiplied, PNG_COLOR_TYPE_RGBA },
        FormatCase { "RGB16", QImage::Format_RGB16, PNG_COLOR_TYPE_RGB },
        FormatCase { "Indexed8", QImage::Format_Indexed8, PNG_COLOR_TYPE_RGB },
        FormatCase { "RGBA64", QImage::Format_RGBA64, PNG_COLOR_TYPE_RGBA }),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(PngWriter, OddSizesRoundTrip)
{
    for (const QSize size : { QSize(1, 1), QSize(1, 40), QSize(257, 2) }) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        for (const QImage& source :
            { opaqueImage(size.width(), size.height()), translucentImage(size.width(), size.height()) }) {
            const std::optional<QByteArray> png = PngWriter::encode(source);
            ASSERT_TRUE(png);
            EXPECT_EQ(decodeWithQt(*png).convertToFormat(QImage::Format_ARGB32_Premultiplied), source);
            const std::optional<LibpngImage> viaLibpng = decodeWithLibpng(*png);
            ASSERT_TRUE(viaLibpng);
            EXPECT_EQ(premultipliedFromLibpng(*viaLibpng), source);
        }
    }
}

TEST(PngWriter, Rgb32IsOpaqueWhateverItsPaddingByteHolds)
{
    // A foreign buffer wrapped as RGB32 may carry zeros where alpha would be.
    std::vector<quint32> pixels(8 * 4, 0x00336699);
    const QImage source(reinterpret_cast<const uchar*>(pixels.data()), 8, 4, QImage::Format_RGB32);
    const std::optional<QByteArray> png = PngWriter::encode(source);
    ASSERT_TRUE(png);
    EXPECT_EQ(colorTypeOf(*png), PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(decodeWithQt(*png).pixel(3, 2), qRgb(0x33, 0x66, 0x99));
}

TEST(PngWriter, NullImageGivesNone)
{
    EXPECT_FALSE(PngWriter::encode(QImage()));
}

} // namespace
