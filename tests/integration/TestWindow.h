#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <xcb/xcb.h>

class XcbConnection;

// A top-level window filled with a pattern in which every pixel of a window up to
// 4096 x 4096 has its own colour, so any offset or flip in a capture shows.
class TestWindow {
public:
    TestWindow(XcbConnection& connection, const QRect& rootGeometry, const QString& title);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    [[nodiscard]] static QRgb patternAt(int x, int y);
    // The pattern as it should appear in a capture of `area` (window coordinates).
    [[nodiscard]] QImage expected(const QRect& area) const;

    [[nodiscard]] xcb_window_t id() const { return m_window; }
    [[nodiscard]] const QRect& geometry() const { return m_geometry; }

private:
    void setProperties(const QString& title);
    void mapAndWaitForExpose();
    void draw();

    XcbConnection& m_connection;
    QRect m_geometry;
    xcb_window_t m_window;
};
