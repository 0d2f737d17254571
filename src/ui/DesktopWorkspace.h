#pragma once

#include "ports/WorkspacePort.h"

#include <functional>

class FrontmostApplicationPort;

// The desktop as the application state sees it: which program is in front (from the
// window system) and which of our own windows are shown (from Qt).
class DesktopWorkspace : public WorkspacePort {
public:
    explicit DesktopWorkspace(FrontmostApplicationPort& frontmost);

    // How to bring our editor in front; set once the editor window exists.
    void setActivateSelf(std::function<void()> activateSelf) { m_activateSelf = std::move(activateSelf); }

    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() override;
    [[nodiscard]] std::optional<QString> ownApplicationId() const override;
    // On X11 a program without shown windows has no taskbar entry of its own, so the
    // policy is remembered rather than applied.
    void setActivationPolicy(ActivationPolicy policy) override { m_policy = policy; }
    void activateIgnoringOtherApps() override;
    void activate(const RunningApplication& application) override;
    [[nodiscard]] bool hasVisibleRegularWindow() const override;
    // An X11 session grants screen capture to every client; there is no page to open.
    void openScreenRecordingSettings() override { }
    void launchNewInstance() override;
    void terminate() override;

    // Set in the environment of a relaunched instance, which then waits for this one to end.
    static constexpr const char* relaunchVariable = "TROVIX_RELAUNCHED";

    [[nodiscard]] ActivationPolicy activationPolicy() const { return m_policy; }

private:
    FrontmostApplicationPort& m_frontmost;
    std::function<void()> m_activateSelf;
    ActivationPolicy m_policy = ActivationPolicy::regular;
};
