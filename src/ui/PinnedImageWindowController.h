#pragma once

#include "ports/PinnedWindowsPort.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// Opens pinned image windows and keeps every one of them until the process ends.
class PinnedImageWindowController : public PinnedWindowsPort {
public:
    static constexpr QSizeF minimumSize { 220, 120 };
    // Where every pinned window opens: 120 points from the bottom-left of the primary screen.
    static constexpr QPointF bottomLeftOffset { 120, 120 };

    // Called with each new window, e.g. to put it on every desktop.
    void setWindowDecorator(std::function<void(QWidget&)> decorator) { m_decorator = std::move(decorator); }

    void pin(const Image& image) override;
    [[nodiscard]] const std::vector<std::unique_ptr<QWidget>>& windows() const { return m_windows; }

    [[nodiscard]] static QSizeF windowSize(QSizeF imageSize);

private:
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::function<void(QWidget&)> m_decorator;
};
