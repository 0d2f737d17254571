#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What to capture and where to write it, read from the command line:
//   -x -t png -Rx,y,w,h out.png       a rectangle of the root, in pixels, top-left origin
//   -x -o -t png -l<window id> out.png one window's own pixels
// "-x" (no sound) and "-o" (no shadow) are accepted for compatibility and change nothing.
struct CaptureRequest {
    std::optional<QRect> rectangle;
    std::optional<std::uint32_t> window;
    QString outputPath;

    // Throws ToolFailure (badArguments) with the reason.
    [[nodiscard]] static CaptureRequest fromArguments(const QStringList& arguments);
};
