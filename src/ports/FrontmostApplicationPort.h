#pragma once

#include "domain/RunningApplication.h"

#include <cstdint>
#include <optional>

// The application whose window has the keyboard focus, and bringing one forward.
class FrontmostApplicationPort {
public:
    virtual ~FrontmostApplicationPort() = default;

    [[nodiscard]] virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    // Asks the window manager to raise and focus the front window of the process; false
    // when the process has no window to activate.
    virtual bool activate(std::int32_t pid) = 0;
};
