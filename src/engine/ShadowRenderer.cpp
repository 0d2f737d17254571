#include "engine/ShadowRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ShadowRenderer {

namespace {

// A blurred shadow needs no more than about three samples per standard deviation.
constexpr double samplesPerSigma = 3;
constexpr double maximumSigma = 4096;

// Radii of three successive box blurs whose result approximates a Gaussian of `sigma`.
std::array<int, 3> boxRadii(double sigma)
{
    if (!(sigma > 0.3))
        return { 0, 0, 0 };
    constexpr int passes = 3;
    const double variance12 = 12 * sigma * sigma;
    int lower = int(std::floor(std::sqrt(variance12 / passes + 1)));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const int lowerCount = int(
        std::lround((variance12 - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4.0 * lower - 4)));
    std::array<int, 3> radii {};
    for (int pass = 0; pass < passes; ++pass)
        radii[pass] = ((pass < lowerCount ? lower : upper) - 1) / 2;
    return radii;
}

void boxBlurRows(AlphaPlane& plane, int radius, std::vector<float>& scratch)
{
    const int width = plane.width;
    const float scale = 1.0f / float(2 * radius + 1);
    scratch.resize(size_t(width));
    for (int y = 0; y < plane.height; ++y) {
        float* row = plane.values.data() + size_t(y) * size_t(width);
        float sum = 0;
        for (int x = 0; x < std::min(radius, width); ++x)
            sum += row[x];
        for (int x = 0; x < width; ++x) {
            if (x + radius < width)
                sum += row[x + radius];
            scratch[size_t(x)] = sum * scale;
            if (x - radius >= 0)
                sum -= row[x - radius];
        }
        std::copy(scratch.begin(), scratch.end(), row);
    }
}

// Runs down the columns with one running sum per column, row by row, to stay cache friendly.
void boxBlurColumns(AlphaPlane& plane, int radius, std::vector<float>& scratch)
{
    const size_t width = size_t(plane.width);
    const int height = plane.height;
    const float scale = 1.0f / float(2 * radius + 1);
    std::vector<float> sums(width, 0.0f);
    scratch.assign(plane.values.size(), 0.0f);
    const auto row = [&](int y) { return plane.values.data() + size_t(y) * width; };
    for (int y = 0; y < std::min(radius, height); ++y)
        for (size_t x = 0; x < width; ++x)
            sums[x] += row(y)[x];
    for (int y = 0; y < height; ++y) {
        if (y + radius < height)
            for (size_t x = 0; x < width; ++x)
                sums[x] += row(y + radius)[x];
        float* out = scratch.data() + size_t(y) * width;
        for (size_t x = 0; x < width; ++x)
            out[x] = sums[x] * scale;
        if (y - radius >= 0)
            for (size_t x = 0; x < width; ++x)
                sums[x] -= row(y - radius)[x];
    }
    plane.values.swap(scratch);
}

int roundUpToMultiple(double value, int multiple)
{
    const int whole = int(std::ceil(value));
    return (whole + multiple - 1) / multiple * multiple;
}

// Block averages of the alpha of `area`, on a grid of `cell`-pixel cells whose origin lies
// `margin` pixels before the area (the margin stays transparent, room for the blur).
AlphaPlane reducedAlpha(const QImage& source, const QRect& area, int cell, QPoint margin)
{
    AlphaPlane plane;
    plane.width = (area.width() + 2 * margin.x() + cell - 1) / cell;
    plane.height = (area.height() + 2 * margin.y() + cell - 1) / cell;
    plane.values.assign(size_t(plane.width) * size_t(plane.height), 0.0f);
    const bool opaqueFormat = !source.hasAlphaChannel();
    std::vector<unsigned> rowSums(size_t(plane.width), 0);
    for (int y = 0; y < area.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(area.y() + y)) + area.x();
        const int firstColumn = margin.x() / cell;
        for (int x = 0, column = firstColumn; x < area.width(); x += cell, ++column) {
            const int end = std::min(x + cell, area.width());
            unsigned sum = 0;
            for (int i = x; i < end; ++i)
                sum += opaqueFormat ? 255u : unsigned(qAlpha(line[i]));
            rowSums[size_t(column)] += sum;
        }
        const int cellRow = (margin.y() + y) / cell;
        const bool lastRowOfCell = (margin.y() + y + 1) % cell == 0 || y + 1 == area.height();
        if (lastRowOfCell) {
            float* out = plane.values.data() + size_t(cellRow) * size_t(plane.width);
            for (size_t column = 0; column < rowSums.size(); ++column)
                out[column] = float(rowSums[column]) / float(cell * cell);
            std::fill(rowSums.begin(), rowSums.end(), 0u);
        }
    }
    return plane;
}

QImage tinted(const AlphaPlane& plane, const QColor& color)
{
    QImage image(plane.width, plane.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    const float strength = color.alphaF();
    for (int y = 0; y < plane.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const float* values = plane.values.data() + size_t(y) * size_t(plane.width);
        for (int x = 0; x < plane.width; ++x) {
            const int alpha = std::clamp(int(std::lround(values[x] * strength)), 0, 255);
            line[x] = qPremultiply(qRgba(color.red(), color.green(), color.blue(), alpha));
        }
    }
    return image;
}

} // namespace

void blur(AlphaPlane& plane, double sigmaX, double sigmaY)
{
    if (plane.width <= 0 || plane.height <= 0)
        return;
    std::vector<float> scratch;
    for (const int radius : boxRadii(sigmaX))
        if (radius > 0)
            boxBlurRows(plane, radius, scratch);
    for (const int radius : boxRadii(sigmaY))
        if (radius > 0)
            boxBlurColumns(plane, radius, scratch);
}

Shadow castShadow(const QImage& source, const QRect& area, const QColor& color, QPointF sigma, QPointF offset)
{
    const QRect cast = area.intersected(source.rect());
    const bool rgb32 = source.format() == QImage::Format_ARGB32_Premultiplied
        || source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_RGB32;
    if (cast.isEmpty() || !rgb32)
        return {};
    const double sigmaX = std::clamp(std::isnan(sigma.x()) ? 0.0 : sigma.x(), 0.0, maximumSigma);
    const double sigmaY = std::clamp(std::isnan(sigma.y()) ? 0.0 : sigma.y(), 0.0, maximumSigma);
    const int cell = std::max(1, int(std::min(sigmaX, sigmaY) / samplesPerSigma));
    const QPoint margin(roundUpToMultiple(3 * sigmaX, cell), roundUpToMultiple(3 * sigmaY, cell));
    AlphaPlane plane = reducedAlpha(source, cast, cell, margin);
    blur(plane, sigmaX / cell, sigmaY / cell);
    const QRectF target(cast.x() - margin.x() + offset.x(), cast.y() - margin.y() + offset.y(),
        double(plane.width) * cell, double(plane.height) * cell);
    return { tinted(plane, color), target };
}

} // namespace ShadowRenderer
