#pragma once

#include "ports/PinnedWindowsPort.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// Opens pinned image windows and keeps each one until it is closed (a pinned window has no
// close control, but the window manager can close it) or the process ends.
class PinnedImageWindowController : public PinnedWindowsPort {
public:
    static constexpr QSizeF minimumSize { 220, 120 };
    // Where every pinned window opens: 120 points from the bottom-left of the primary screen.
    static constexpr QPointF bottomLeftOffset { 120, 120 };
    // X11 keeps window sizes in 16 bits: no side may exceed this many pixels.
    static constexpr int largestWindowSide = 32767;

    // Called with each new window, e.g. to put it on every desktop.
    void setWindowDecorator(std::function<void(QWidget&)> decorator) { m_decorator = std::move(decorator); }

    void pin(const Image& image) override;
    [[nodiscard]] const std::vector<std::unique_ptr<QWidget>>& windows() const { return m_windows; }

    // As large as the image in points but never below the minimum; an image larger than
    // `available` is shown smaller, keeping its proportions, so the window fits the screen.
    [[nodiscard]] static QSizeF windowSize(QSizeF imageSize, QSizeF available);

private:
    void release(QWidget* window);

    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::function<void(QWidget&)> m_decorator;
};
