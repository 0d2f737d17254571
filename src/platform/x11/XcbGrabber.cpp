#include "platform/x11/XcbGrabber.h"

#include "domain/PlatformError.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbSharedSegment.h"

#include <xcb/shm.h>

#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace {

[[noreturn]] void fail(const QString& message)
{
    throw PlatformError(message);
}

// Plain GetImage replies are kept below this size so one huge reply never has to be
// buffered whole by xcb on top of the image itself.
constexpr qsizetype plainStripBytes = 4 * 1024 * 1024;

bool serverHasSharedMemory(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    return extension && extension->present;
}

// Copies 32-bit Z-pixmap rows into an ARGB image. The common layout (8 bits per channel,
// red highest, server byte order equal to ours) is a plain copy that forces alpha when the
// visual has none; anything else goes channel by channel through the masks.
void convertRows(const std::uint8_t* source, qsizetype sourceStride, int firstRow, int rows, bool swapBytes,
    std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask, QImage& image)
{
    const std::uint32_t colourMask = redMask | greenMask | blueMask;
    const bool plain = !swapBytes && redMask == 0xff0000u && greenMask == 0xff00u && blueMask == 0xffu;
    const std::uint32_t opaque = image.hasAlphaChannel() ? 0u : 0xff000000u;
    // Read once: QImage::width() is an out-of-line call, too dear for every pixel of a 4K screen.
    const int width = image.width();
    auto channel = [](std::uint32_t pixel, std::uint32_t mask) {
        const int shift = std::countr_zero(mask);
        const std::uint32_t maximum = mask >> shift;
        return maximum ? ((pixel & mask) >> shift) * 255u / maximum : 0u;
    };
    for (int row = 0; row < rows; ++row) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source + row * sourceStride);
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(firstRow + row));
        if (plain) {
            std::transform(in, in + width, out, [opaque](std::uint32_t pixel) { return pixel | opaque; });
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = swapBytes ? __builtin_bswap32(in[x]) : in[x];
            const std::uint32_t alpha = opaque ? 0xffu : channel(pixel, ~colourMask);
            out[x] = (alpha << 24) | (channel(pixel, redMask) << 16) | (channel(pixel, greenMask) << 8)
                | channel(pixel, blueMask);
        }
    }
}

} // namespace

XcbGrabber::XcbGrabber(XcbConnection& connection)
    : m_connection(connection)
{ }

XcbGrabber::PixelFormat XcbGrabber::pixelFormat(std::uint8_t depth, xcb_visualid_t visual) const
{
    PixelFormat format { .depth = depth };
    const xcb_setup_t* setup = xcb_get_setup(m_connection.get());
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem > 0; xcb_format_next(&it)) {
        if (it.data->depth == depth)
            format.bitsPerPixel = it.data->bits_per_pixel;
    }
    for (auto depths = xcb_screen_allowed_depths_iterator(m_connection.screen()); depths.rem > 0;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == visual) {
                format.redMask = visuals.data->red_mask;
                format.greenMask = visuals.data->green_mask;
                format.blueMask = visuals.data->blue_mask;
            }
        }
    }
    if (format.bitsPerPixel != 32 || (depth != 24 && depth != 32) || !format.redMask || !format.greenMask
        || !format.blueMask)
        fail(QStringLiteral("unsupported pixel format: depth %1 with %2 bits per pixel (only 24- and 32-bit "
                            "true colour is supported)")
                 .arg(depth)
                 .arg(format.bitsPerPixel));
    return format;
}

QImage XcbGrabber::grab(
    xcb_drawable_t drawable, const QRect& area, const PixelFormat& format, std::unique_ptr<XcbSharedSegment> prepared)
{
    // X11 32-bit visuals carry premultiplied alpha, as the compositors that show them expect.
    const QImage::Format imageFormat = format.depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (std::optional<QImage> shared = grabShared(drawable, area, format, imageFormat, std::move(prepared)))
        return *std::move(shared);
    QImage image(area.size(), imageFormat);
    if (image.isNull())
        fail(QStringLiteral("not enough memory for a %1 x %2 image").arg(area.width()).arg(area.height()));
    grabPlain(drawable, area, format, image);
    return image;
}

std::optional<QImage> XcbGrabber::grabShared(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format,
    QImage::Format imageFormat, std::unique_ptr<XcbSharedSegment> prepared)
{
    xcb_connection_t* connection = m_connection.get();
    if (!serverHasSharedMemory(connection))
        return std::nullopt;
    const qsizetype stride = qsizetype(area.width()) * 4;
    const std::size_t size = std::size_t(stride) * std::size_t(area.height());
    if (!prepared || !prepared->isUsable() || prepared->size() != size)
        prepared = std::make_unique<XcbSharedSegment>(connection, size);
    XcbSharedSegment& segment = *prepared;
    if (!segment.isUsable())
        return std::nullopt;
    const auto answer = m_connection.reply(xcb_shm_get_image_reply,
        xcb_shm_get_image(connection, drawable, std::int16_t(area.x()), std::int16_t(area.y()),
            std::uint16_t(area.width()), std::uint16_t(area.height()), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
            segment.segment(), 0));
    if (!answer)
        return std::nullopt;
    const bool swapBytes = xcb_get_setup(connection)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST;
    const bool plain
        = !swapBytes && format.redMask == 0xff0000u && format.greenMask == 0xff00u && format.blueMask == 0xffu;
    if (plain) {
        // The segment already holds the image's layout: the image keeps it instead of a copy of
        // it, which saves a screen-sized allocation and its page faults.
        std::uint8_t* pixels = segment.releaseMapping();
        QImage image(
            pixels, area.width(), area.height(), stride, imageFormat, [](void* mapping) { shmdt(mapping); }, pixels);
        if (!image.hasAlphaChannel()) {
            // A depth-24 visual leaves the fourth byte undefined; RGB32 wants it opaque.
            auto* pixel = reinterpret_cast<std::uint32_t*>(pixels);
            std::for_each(pixel, pixel + qsizetype(area.width()) * area.height(),
                [](std::uint32_t& value) { value |= 0xff000000u; });
        }
        return image;
    }
    QImage image(area.size(), imageFormat);
    if (image.isNull())
        fail(QStringLiteral("not enough memory for a %1 x %2 image").arg(area.width()).arg(area.height()));
    convertRows(
        segment.data(), stride, 0, area.height(), swapBytes, format.redMask, format.greenMask, format.blueMask, image);
    return image;
}

void XcbGrabber::grabPlain(xcb_drawable_t drawable, const QRect& area, const PixelFormat& format, QImage& image)
{
    xcb_connection_t* connection = m_connection.get();
    const qsizetype stride = qsizetype(area.width()) * 4;
    const int stripRows = int(std::max<qsizetype>(1, plainStripBytes / stride));
    const bool swapBytes = xcb_get_setup(connection)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST;
    for (int row = 0; row < area.height(); row += stripRows) {
        const int rows = std::min(stripRows, area.height() - row);
        const auto answer = m_connection.reply(xcb_get_image_reply,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, std::int16_t(area.x()),
                std::int16_t(area.y() + row), std::uint16_t(area.width()), std::uint16_t(rows), ~0u));
        if (!answer || xcb_get_image_data_length(answer.get()) < stride * rows)
            fail(QStringLiteral("the X server did not return the pixels of %1,%2,%3,%4")
                     .arg(area.x())
                     .arg(area.y())
                     .arg(area.width())
                     .arg(area.height()));
        convertRows(xcb_get_image_data(answer.get()), stride, row, rows, swapBytes, format.redMask, format.greenMask,
            format.blueMask, image);
    }
}

QImage XcbGrabber::grabRootRectangle(const QRect& rectangle, std::unique_ptr<XcbSharedSegment> prepared)
{
    const QList<XcbScreens::Monitor> monitors = XcbScreens(m_connection).monitors();
    const bool onAScreen = std::any_of(monitors.cbegin(), monitors.cend(),
        [&](const XcbScreens::Monitor& monitor) { return monitor.geometry.intersects(rectangle); });
    if (!onAScreen)
        fail(QStringLiteral("the rectangle %1,%2,%3,%4 lies outside every screen")
                 .arg(rectangle.x())
                 .arg(rectangle.y())
                 .arg(rectangle.width())
                 .arg(rectangle.height()));
    const xcb_screen_t* screen = m_connection.screen();
    // GetImage refuses any part outside the root, so a rectangle sticking out is cut to it.
    const QRect area = rectangle.intersected(QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels));
    return grab(screen->root, area, pixelFormat(screen->root_depth, screen->root_visual), std::move(prepared));
}

QImage XcbGrabber::grabWindow(std::uint32_t window)
{
    xcb_connection_t* connection = m_connection.get();
    const auto attributes
        = m_connection.reply(xcb_get_window_attributes_reply, xcb_get_window_attributes(connection, window));
    const auto geometry = m_connection.reply(xcb_get_geometry_reply, xcb_get_geometry(connection, window));
    if (!attributes || !geometry)
        fail(QStringLiteral("there is no window with id %1").arg(window));
    if (attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY)
        fail(QStringLiteral("window %1 has no pixels (it is an input-only window)").arg(window));
    if (attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        fail(QStringLiteral("window %1 is not shown on screen").arg(window));
    const auto position = m_connection.reply(
        xcb_translate_coordinates_reply, xcb_translate_coordinates(connection, window, m_connection.root(), 0, 0));
    if (!position)
        fail(QStringLiteral("cannot find where window %1 is on the screen").arg(window));

    // Only the part of the window that lies on the root can be read.
    const xcb_screen_t* screen = m_connection.screen();
    const QRect onRoot = QRect(position->dst_x, position->dst_y, geometry->width, geometry->height)
                             .intersected(QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels));
    if (onRoot.isEmpty())
        fail(QStringLiteral("window %1 lies outside the screen").arg(window));
    const QRect area = onRoot.translated(-position->dst_x, -position->dst_y);
    return grab(window, area, pixelFormat(geometry->depth, attributes->visual));
}
