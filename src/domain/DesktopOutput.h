#pragma once

#include <QRect>
#include <QString>

// One output of a Wayland desktop as the compositor lays it out: its rectangle in the
// desktop's logical pixels (origin top-left, y down) and how many device pixels it shows
// per logical pixel.
struct DesktopOutput {
    QString name;
    QRect logical;
    double scale = 1.0;

    friend bool operator==(const DesktopOutput&, const DesktopOutput&) = default;
};
