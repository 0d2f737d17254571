#include "engine/ScreenCaptureGeometry.h"

#include <gtest/gtest.h>

namespace {

// The capture service's tests see 2x screens, fractional and clipped rectangles through the
// tool's argument and the frozen picture; these are the rarer layouts.
TEST(ScreenCaptureGeometry, CaptureRectIsClippedAndPixelCropRectFlipsToTopLeftPixels)
{
    const struct {
        const char* name;
        QRectF rect;
        QRectF screen;
        QSize image;
        QRect expected;
    } cases[] = {
        { "secondary screen left of and above the main one", QRectF(-1820, 400, 100, 100),
            QRectF(-1920, 300, 1920, 1080), QSize(1920, 1080), QRect(100, 880, 100, 100) },
        { "different density per axis", QRectF(10, 10, 10, 10), QRectF(0, 0, 100, 100), QSize(200, 300),
            QRect(20, 240, 20, 30) },
        { "touching the edge only", QRectF(1000, 0, 10, 10), QRectF(0, 0, 1000, 800), QSize(1000, 800), QRect() },
        { "empty screen", QRectF(0, 0, 10, 10), QRectF(0, 0, 0, 800), QSize(1000, 800), QRect() },
        { "empty image", QRectF(0, 0, 10, 10), QRectF(0, 0, 1000, 800), QSize(0, 800), QRect() },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const QRect crop = ScreenCaptureGeometry::pixelCropRect(testCase.rect, testCase.screen, testCase.image);
        EXPECT_EQ(crop.isEmpty() ? QRect() : crop, testCase.expected);
    }

    // The capture rectangle is clipped to the screen and rounded outward.
    const QRectF screen(0, 0, 1000, 800);
    EXPECT_EQ(
        ScreenCaptureGeometry::normalizedCaptureRect(QRectF(990, 790, -20, 40), screen), QRectF(970, 790, 20, 10));
    EXPECT_FALSE(ScreenCaptureGeometry::normalizedCaptureRect(QRectF(10, 10, 0, 20), screen).has_value());
}

} // namespace

// Monitors of different scales: the primary at 2x, one at 1x to its right and one at 1.5x
// below. Each screen's frame has its pixel size over its own scale, every rectangle on it
// comes back to the same root pixels, nothing beside the screen reaches it, and no two frames
// overlap.
TEST(ScreenCaptureGeometry, EachMonitorKeepsItsOwnScale)
{
    const QRect primary(0, 0, 3840, 2160);
    const struct {
        const char* name;
        QRect monitor;
        double scale;
        QRectF frame;
    } monitors[] = {
        { "primary at 2x", primary, 2, QRectF(0, 0, 1920, 1080) },
        { "right at 1x", QRect(3840, 0, 1920, 1080), 1, QRectF(3840, 0, 1920, 1080) },
        { "below at 1.5x", QRect(0, 2160, 1800, 1200), 1.5, QRectF(0, -1880, 1200, 800) },
    };
    for (const auto& monitor : monitors) {
        SCOPED_TRACE(monitor.name);
        const QRectF frame = ScreenCaptureGeometry::globalRectFromMonitorRoot(
            QRectF(monitor.monitor), monitor.monitor, monitor.scale, primary, 2);
        EXPECT_EQ(frame, monitor.frame);
        const Screen screen { QString(), frame, frame, monitor.scale, monitor.monitor };
        const QRect window(monitor.monitor.topLeft() + QPoint(30, 60), QSize(300, 150));
        const QRectF global = ScreenCaptureGeometry::globalRectFromMonitorRoot(
            QRectF(window), monitor.monitor, monitor.scale, primary, 2);
        EXPECT_EQ(global.size(), QSizeF(window.size()) / monitor.scale);
        EXPECT_EQ(ScreenCaptureGeometry::toolRectangle(global, screen), window);
        EXPECT_TRUE(ScreenCaptureGeometry::toolRectangle(frame.translated(frame.width(), 0), screen).isEmpty());
    }
}
