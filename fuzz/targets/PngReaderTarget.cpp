#include "FuzzTargets.h"

#include "FuzzCheck.h"
#include "PngFraming.h"

#include "engine/PngReader.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace FuzzTargets {

namespace {

// Qt's decoder (libpng) is the reference for every file both accept.
void requireSameAsQt(const QByteArray& png, const QImage& ours)
{
    QBuffer buffer;
    buffer.setData(png);
    QImageReader reader(&buffer, "png");
    const QImage reference = reader.read();
    if (reference.isNull())
        return;
    FuzzCheck::require(reference.convertToFormat(ours.format()) == ours, "the pixels are the ones Qt decodes");
}

// Mutated files almost never keep their checksums; this reaches everything behind them.
// Image data built from the input goes further still, into inflating and unfiltering.
enum class Shape { asGiven, checksummed, builtFromScanlines };

} // namespace

int pngReader(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto shape = static_cast<Shape>(data[0] % 3);
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    QByteArray png;
    bool mustDecode = false;
    switch (shape) {
    case Shape::asGiven:
        png = rest;
        break;
    case Shape::checksummed:
        png = PngFraming::withCorrectChecksums(rest);
        break;
    case Shape::builtFromScanlines: {
        const PngFraming::BuiltImage built = PngFraming::build(rest);
        png = built.png;
        mustDecode = built.everyFilterKnown;
        break;
    }
    }
    const std::optional<QImage> image = PngReader::decodeSimple(png);
    if (shape == Shape::builtFromScanlines)
        FuzzCheck::require(
            image.has_value() == mustDecode, "a plain RGB or RGBA file decodes unless a filter is unknown");
    if (!image)
        return 0;
    FuzzCheck::require(!image->isNull(), "a decoded image has pixels");
    FuzzCheck::require(
        image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied,
        "a decoded image is 32-bit");
    requireSameAsQt(png, *image);
    return 0;
}

} // namespace FuzzTargets
