#pragma once

#include "ports/FrontmostApplicationPort.h"

#include <QList>

class FakeFrontmostApplication : public FrontmostApplicationPort {
public:
    std::optional<RunningApplication> frontmost;
    QList<std::int32_t> activated;

    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() const override { return frontmost; }
    bool activate(std::int32_t pid) override
    {
        activated.append(pid);
        return true;
    }
};
