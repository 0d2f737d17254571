#pragma once

#include <functional>
#include <memory>

// Notices mouse button presses anywhere on the desktop, our own windows included, without
// taking them from the window they were meant for. Wheel turns are not clicks.
class ClickMonitorPort {
public:
    // Watching lasts as long as the handle.
    class Watch {
    public:
        virtual ~Watch() = default;
    };

    virtual ~ClickMonitorPort() = default;

    // `onClick` runs on the main thread, once per press. None when the desktop cannot be
    // watched; the caller then goes without.
    [[nodiscard]] virtual std::unique_ptr<Watch> watchClicks(std::function<void()> onClick) = 0;
};
