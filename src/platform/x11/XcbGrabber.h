#pragma once

#include <QImage>
#include <QRect>

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

class XcbConnection;

// Reads pixels from the X server: through a shared memory segment (MIT-SHM) when the
// server offers one, which avoids copying the image through the socket, else with plain
// GetImage requests.
class XcbGrabber {
public:
    explicit XcbGrabber(XcbConnection& connection);

    // A rectangle of the root window, in root pixels. Throws PlatformError when it lies
    // outside every screen.
    [[nodiscard]] QImage grabRootRectangle(const QRect& rectangle);
    // The window's own pixels (no decorations), clipped to the part on the root.
    // Throws PlatformError for an unknown or unmapped window.
    [[nodiscard]] QImage grabWindow(std::uint32_t window);

private:
    struct PixelFormat {
        std::uint8_t depth = 0;
        std::uint8_t bitsPerPixel = 0;
        std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
    };

    [[nodiscard]] PixelFormat pixelFormat(std::uint8_t depth, xcb_visualid_t visual) const;
    [[nodiscard]] QImage grab(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format);
    // None when the server offers no shared memory or the shared request fails.
    [[nodiscard]] std::optional<QImage> grabShared(
        xcb_drawable_t drawable, const QRect& area, const PixelFormat& format, QImage::Format imageFormat);
    void grabPlain(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format, QImage& image);

    XcbConnection& m_connection;
};
