#pragma once

#include <QRect>
#include <QRectF>
#include <QString>

// One screen in two coordinate spaces.
//
// frame and visibleFrame are global points with the origin at the bottom-left of the
// main screen and y growing upwards, the space every capture rectangle travels in.
// nativeGeometry is the same screen in the screenshot tool's own space: whole pixels of
// the window system's root, origin top-left, y down. The capture code converts between
// the two in one place (ScreenCaptureGeometry::toolRectangle).
struct Screen {
    QString name;
    QRectF frame;
    QRectF visibleFrame;
    double scaleFactor = 1.0;
    QRect nativeGeometry;

    friend bool operator==(const Screen&, const Screen&) = default;
};
