#pragma once

#include "ports/WorkspacePort.h"

#include <vector>

class FakeWorkspace : public WorkspacePort {
public:
    std::optional<RunningApplication> frontmostApplication() override { return frontmost; }
    std::optional<QString> ownApplicationId() const override { return ownId; }
    void setActivationPolicy(ActivationPolicy policy) override { policies.push_back(policy); }
    void activateIgnoringOtherApps() override { ++activations; }

    std::optional<RunningApplication> frontmost;
    std::optional<QString> ownId = QStringLiteral("trovix");
    std::vector<ActivationPolicy> policies;
    int activations = 0;
};
