#include "TestWindow.h"

#include "platform/x11/XcbConnection.h"

#include <QDeadlineTimer>
#include <QThread>

#include <stdexcept>
#include <unistd.h>

TestWindow::TestWindow(XcbConnection& connection, const QRect& rootGeometry, const QString& title)
    : m_connection(connection)
    , m_geometry(rootGeometry)
    , m_window(xcb_generate_id(connection.get()))
{
    const std::uint32_t eventMask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, m_window, connection.root(), std::int16_t(m_geometry.x()),
        std::int16_t(m_geometry.y()), std::uint16_t(m_geometry.width()), std::uint16_t(m_geometry.height()), 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, connection.screen()->root_visual, XCB_CW_EVENT_MASK, &eventMask);
    setProperties(title);
    mapAndWaitForExpose();
    draw();
}

TestWindow::~TestWindow()
{
    xcb_destroy_window(m_connection.get(), m_window);
    xcb_flush(m_connection.get());
}

QRgb TestWindow::patternAt(int x, int y)
{
    return qRgb(x & 0xff, y & 0xff, (((x >> 8) & 0xf) << 4 | ((y >> 8) & 0xf)) ^ 0x5a);
}

QImage TestWindow::expected(const QRect& area) const
{
    QImage image(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x)
            image.setPixel(x, y, patternAt(area.x() + x, area.y() + y));
    }
    return image;
}

void TestWindow::setProperties(const QString& title)
{
    xcb_connection_t* c = m_connection.get();
    const QByteArray utf8Title = title.toUtf8();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, m_connection.atom("_NET_WM_NAME"),
        m_connection.atom("UTF8_STRING"), 8, std::uint32_t(utf8Title.size()), utf8Title.constData());
    const std::uint32_t pid = std::uint32_t(getpid());
    xcb_change_property(
        c, XCB_PROP_MODE_REPLACE, m_window, m_connection.atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    const char windowClass[] = "trovixtest\0TrovixTest";
    xcb_change_property(
        c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof(windowClass), windowClass);
}

// Pixels drawn before the window is exposed would be lost, so wait for the server to say so.
void TestWindow::mapAndWaitForExpose()
{
    xcb_map_window(m_connection.get(), m_window);
    xcb_flush(m_connection.get());
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection.get())) {
            const bool exposed = (event->response_type & 0x7f) == XCB_EXPOSE
                && reinterpret_cast<xcb_expose_event_t*>(event)->window == m_window;
            std::free(event);
            if (exposed)
                return;
        }
        QThread::msleep(5);
    }
    throw std::runtime_error("the test window was never exposed");
}

void TestWindow::draw()
{
    xcb_connection_t* c = m_connection.get();
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, m_window, 0, nullptr);
    const QImage pixels = expected(QRect(QPoint(0, 0), m_geometry.size()));
    // Strips small enough for the core request size limit.
    const int rowsPerStrip = std::max(1, 60000 / m_geometry.width());
    for (int row = 0; row < m_geometry.height(); row += rowsPerStrip) {
        const int rows = std::min(rowsPerStrip, m_geometry.height() - row);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, gc, std::uint16_t(m_geometry.width()),
            std::uint16_t(rows), 0, std::int16_t(row), 0, m_connection.screen()->root_depth,
            std::uint32_t(rows * m_geometry.width() * 4), pixels.constScanLine(row));
    }
    xcb_free_gc(c, gc);
    // A round trip: every request above has been handled once the reply arrives.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}
