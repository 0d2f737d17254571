#pragma once

#include "domain/Image.h"

#include <cstdint>
#include <optional>
#include <vector>

// A small RGB thumbnail of a shot, at most a few dozen columns wide, that the overlap search
// compares instead of the full pixels: cheap to scan and blind to single-pixel noise.
// Row 0 is the top of the image; there is no alpha (translucent pixels are seen over white).
class ImageSignature {
public:
    // Fewer columns would blur whole text lines together.
    static constexpr int minimumSize = 48;

    ImageSignature(int width, int height, std::vector<std::uint8_t> pixels);

    // The image scaled over white to at most `targetWidth` columns (at least 48) and rows in
    // proportion (at least 48). None for an image without positive size or one whose
    // thumbnail cannot be made (a degenerate aspect ratio would need millions of rows).
    [[nodiscard]] static std::optional<ImageSignature> fromImage(const Image& image, int targetWidth);

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    // R, G, B per pixel, row-major.
    [[nodiscard]] const std::vector<std::uint8_t>& pixels() const { return m_pixels; }

    // Mean colour difference (0–255) over a sparse grid of the area both signatures cover,
    // each indexed from its own top-left; the largest finite double when they share nothing.
    [[nodiscard]] double meanDifference(const ImageSignature& other) const;

    // Mean colour difference between the bottom `overlapRows` rows of this (upper) signature
    // and rows `currentStartRow`… of `lower`, ignoring a margin at each side where scroll bars
    // and fixed side panels live. The largest finite double when no pixel pair was compared.
    [[nodiscard]] double scoreForAlignment(const ImageSignature& lower, int overlapRows, int currentStartRow) const;

private:
    [[nodiscard]] double pixelDifference(int x, int y, const ImageSignature& other, int otherX, int otherY) const;

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_pixels;
};
