#pragma once

#include "domain/PlatformError.h"
#include "ports/WorkspacePort.h"

#include <vector>

class FakeWorkspace : public WorkspacePort {
public:
    std::optional<RunningApplication> frontmostApplication() override { return frontmost; }
    std::optional<QString> ownApplicationId() const override { return ownId; }
    void setActivationPolicy(ActivationPolicy policy) override { policies.push_back(policy); }
    void activateIgnoringOtherApps() override { ++activations; }
    void activate(const RunningApplication& application) override { activatedOthers.push_back(application); }
    bool hasVisibleRegularWindow() const override { return false; }
    void openScreenRecordingSettings() override { ++settingsOpened; }
    void launchNewInstance() override
    {
        ++launches;
        if (launchFailure)
            throw PlatformError(*launchFailure);
    }
    void terminate() override { ++terminations; }

    std::optional<RunningApplication> frontmost;
    std::optional<QString> ownId = QStringLiteral("trovix");
    std::vector<ActivationPolicy> policies;
    int activations = 0;
    std::vector<RunningApplication> activatedOthers;
    int settingsOpened = 0;
    int launches = 0;
    // The system's wording when a new instance cannot be started.
    std::optional<QString> launchFailure;
    int terminations = 0;
};
