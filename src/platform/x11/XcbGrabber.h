#pragma once

#include "platform/x11/XcbSharedSegment.h"

#include <QImage>
#include <QRect>

#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <optional>

class XcbConnection;

// Reads pixels from the X server: through a shared memory segment (MIT-SHM) when the
// server offers one, which avoids copying the image through the socket, else with plain
// GetImage requests.
class XcbGrabber {
public:
    explicit XcbGrabber(XcbConnection& connection);

    // A rectangle of the root window, in root pixels, read into `prepared` when that is a
    // segment of the picture's size. Throws PlatformError when it lies outside every screen.
    [[nodiscard]] QImage grabRootRectangle(
        const QRect& rectangle, std::unique_ptr<XcbSharedSegment> prepared = nullptr);
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
    [[nodiscard]] QImage grab(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format,
        std::unique_ptr<XcbSharedSegment> prepared = nullptr);
    // None when the server offers no shared memory or the shared request fails.
    [[nodiscard]] std::optional<QImage> grabShared(xcb_drawable_t drawable, const QRect& area,
        const PixelFormat& format, QImage::Format imageFormat, std::unique_ptr<XcbSharedSegment> prepared);
    void grabPlain(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format, QImage& image);

    XcbConnection& m_connection;
};
