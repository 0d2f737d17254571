#pragma once

#include <QRect>
#include <QString>

#include <optional>

// `trovix shot`: one picture of the desktop written out, without the tray or the editor.
struct ShotRequest {
    // A screen by its index in the desktop's monitor list (as `xrandr --listmonitors`
    // numbers them), or a rectangle of root pixels with the origin at the top-left of the
    // whole desktop; neither means the whole desktop.
    std::optional<int> screen;
    std::optional<QRect> region;
    // A file path, or "-" for standard output.
    std::optional<QString> output;
    bool clipboard = false;

    friend bool operator==(const ShotRequest&, const ShotRequest&) = default;
};
