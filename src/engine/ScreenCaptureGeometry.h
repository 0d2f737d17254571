#pragma once

#include "domain/Screen.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>

// Rectangles between the capture code's coordinate spaces:
// - global points: origin at the bottom-left of the main screen, y up (screen frames,
//   every rectangle passed between capture components);
// - the screenshot tool's space: whole root pixels, origin top-left, y down;
// - image pixels: origin at the top-left of a captured screen image, y down.
namespace ScreenCaptureGeometry {

// The smallest rectangle of whole numbers that contains the rectangle (floor of the
// minimum, ceiling of the maximum). Empty rectangles stay as they are.
[[nodiscard]] QRectF integral(const QRectF& rect);

// "x,y,w,h" of the standardised, integral rectangle; the coordinates are taken as given.
[[nodiscard]] QString rectangleSpecifier(const QRectF& rect);

// The pixel rectangle of the captured screen image that shows `rect` (global points) of a
// screen with `screenFrame`; an empty rectangle when nothing of it can be cropped.
[[nodiscard]] QRect pixelCropRect(const QRectF& rect, const QRectF& screenFrame, QSize imageSize);

// `rect` standardised, clipped to the screen and grown to whole points; none when nothing
// of it lies on the screen.
[[nodiscard]] std::optional<QRectF> normalizedCaptureRect(const QRectF& rect, const QRectF& screenFrame);

// `rect` (global points, on `screen`) as the screenshot tool's rectangle: root pixels,
// top-left origin, at the screen's own pixel density. Empty when the rectangle misses
// the screen.
[[nodiscard]] QRect toolRectangle(const QRectF& rect, const Screen& screen);

// Each screen has its own scale. Its points start where its pixels start (the toolkit's
// logical space keeps every screen's root origin and divides only the distances from it), so
// a rectangle on a monitor is scaled about the monitor's corner.
[[nodiscard]] QRectF logicalRectFromRoot(const QRectF& rootRect, const QRect& monitorRoot, double monitorScale);
// A rectangle of one monitor in global points: its logical rectangle mirrored about the
// primary monitor's logical bottom edge.
[[nodiscard]] QRectF globalRectFromMonitorRoot(const QRectF& rootRect, const QRect& monitorRoot, double monitorScale,
    const QRect& primaryRoot, double primaryScale);

} // namespace ScreenCaptureGeometry
