#include "engine/ImageSignature.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {

// 48 columns at 1 : 100000 would still be only about 15 MB; beyond that the shot is not
// something a scrolling capture can produce.
constexpr double maximumRows = 1 << 17;

constexpr double noComparison = std::numeric_limits<double>::max();

// The source pixel range [first, last) that one thumbnail cell averages. Shrinking, the cells
// partition the source; enlarging, each cell takes its nearest source pixel.
struct CellRange {
    int first;
    int last;
};

std::vector<CellRange> cellRanges(int sourceSize, int cellCount)
{
    std::vector<CellRange> ranges(static_cast<std::size_t>(cellCount));
    for (int cell = 0; cell < cellCount; ++cell) {
        const auto first = static_cast<int>(std::int64_t(cell) * sourceSize / cellCount);
        const auto last = static_cast<int>(std::int64_t(cell + 1) * sourceSize / cellCount);
        ranges[static_cast<std::size_t>(cell)] = { first, std::max(last, first + 1) };
    }
    return ranges;
}

// 32-bit words of the form 0xAARRGGBB with premultiplied colour, as captures arrive.
QImage premultipliedWords(const QImage& source)
{
    switch (source.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return source;
    default:
        return source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
}

// An area average rather than a bilinear scale: a shot is shrunk about thirty times, and two
// taps per axis would make the thumbnail of the same text depend on where the rows fall.
// Averaging premultiplied colour and then adding the uncovered share of white is the same
// as compositing over white first.
std::vector<std::uint8_t> averagedOverWhite(const QImage& source, int width, int height)
{
    const std::vector<CellRange> columns = cellRanges(source.width(), width);
    const std::vector<CellRange> rows = cellRanges(source.height(), height);
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 3);
    std::vector<std::uint64_t> sums(std::size_t(width) * 4);
    for (int row = 0; row < height; ++row) {
        std::fill(sums.begin(), sums.end(), 0);
        const CellRange rowRange = rows[std::size_t(row)];
        for (int y = rowRange.first; y < rowRange.last; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int column = 0; column < width; ++column) {
                std::uint64_t* sum = &sums[std::size_t(column) * 4];
                for (int x = columns[std::size_t(column)].first; x < columns[std::size_t(column)].last; ++x) {
                    const QRgb word = line[x];
                    sum[0] += qRed(word);
                    sum[1] += qGreen(word);
                    sum[2] += qBlue(word);
                    sum[3] += qAlpha(word);
                }
            }
        }
        for (int column = 0; column < width; ++column) {
            const std::uint64_t* sum = &sums[std::size_t(column) * 4];
            const CellRange columnRange = columns[std::size_t(column)];
            const std::uint64_t count
                = std::uint64_t(columnRange.last - columnRange.first) * std::uint64_t(rowRange.last - rowRange.first);
            const std::uint64_t white = 255 * count - sum[3];
            std::uint8_t* pixel = &pixels[(std::size_t(row) * std::size_t(width) + std::size_t(column)) * 3];
            for (int channel = 0; channel < 3; ++channel)
                pixel[channel] = std::uint8_t(std::min<std::uint64_t>(255, (sum[channel] + white + count / 2) / count));
        }
    }
    return pixels;
}

} // namespace

ImageSignature::ImageSignature(int width, int height, std::vector<std::uint8_t> pixels)
    : m_width(width)
    , m_height(height)
    , m_pixels(std::move(pixels))
{
    if (width < 0 || height < 0 || m_pixels.size() != std::size_t(width) * std::size_t(height) * 3)
        throw std::invalid_argument("ImageSignature: pixel count does not match the size");
}

std::optional<ImageSignature> ImageSignature::fromImage(const Image& image, int targetWidth)
{
    const double pointWidth = image.width();
    const double pointHeight = image.height();
    if (!(pointWidth > 0) || !(pointHeight > 0) || image.pixels().isNull())
        return std::nullopt;
    const double width = std::max(std::min(std::floor(pointWidth), double(targetWidth)), double(minimumSize));
    const double height = std::max(std::round(pointHeight / pointWidth * width), double(minimumSize));
    if (!(height <= maximumRows))
        return std::nullopt;
    const QImage source = premultipliedWords(image.pixels());
    if (source.isNull())
        return std::nullopt;
    const int columns = static_cast<int>(width);
    const int rows = static_cast<int>(height);
    return ImageSignature(columns, rows, averagedOverWhite(source, columns, rows));
}

double ImageSignature::pixelDifference(int x, int y, const ImageSignature& other, int otherX, int otherY) const
{
    const std::uint8_t* a = &m_pixels[(std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * 3];
    const std::uint8_t* b
        = &other.m_pixels[(std::size_t(otherY) * std::size_t(other.m_width) + std::size_t(otherX)) * 3];
    return (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2])) / 3.0;
}

double ImageSignature::meanDifference(const ImageSignature& other) const
{
    const int width = std::min(m_width, other.m_width);
    const int height = std::min(m_height, other.m_height);
    if (width <= 0 || height <= 0)
        return noComparison;
    const int columnStep = std::max(width / 48, 1);
    const int rowStep = std::max(height / 72, 1);
    double total = 0;
    std::int64_t count = 0;
    for (int y = 0; y < height; y += rowStep) {
        for (int x = 0; x < width; x += columnStep) {
            total += pixelDifference(x, y, other, x, y);
            ++count;
        }
    }
    return count > 0 ? total / double(count) : noComparison;
}

double ImageSignature::scoreForAlignment(const ImageSignature& lower, int overlapRows, int currentStartRow) const
{
    const int width = std::min(m_width, lower.m_width);
    const int margin = std::max(width / 24, 2);
    const int columnEnd = std::max(margin + 1, width - margin);
    const int span = columnEnd - margin;
    const int columnStep = span < 64 ? 1 : span / 64;
    const int rowStep = std::max(overlapRows / 72, 1);
    // Narrower than the margins only for hand-made signatures; never read past a row.
    const int lastColumn = std::min(columnEnd, width);
    double total = 0;
    std::int64_t count = 0;
    for (int i = 0; i < overlapRows; i += rowStep) {
        const int upperRow = m_height - overlapRows + i;
        const int lowerRow = currentStartRow + i;
        if (upperRow < 0 || upperRow >= m_height || lowerRow < 0 || lowerRow >= lower.m_height)
            continue;
        for (int x = margin; x < lastColumn; x += columnStep) {
            total += pixelDifference(x, upperRow, lower, x, lowerRow);
            ++count;
        }
    }
    return count > 0 ? total / double(count) : noComparison;
}
