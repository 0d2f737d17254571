#pragma once

#include "ports/FrontmostApplicationPort.h"

class FakeFrontmostApplication : public FrontmostApplicationPort {
public:
    std::optional<RunningApplication> frontmost;

    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() const override { return frontmost; }
    bool activate(std::int32_t) override { return true; }
};
