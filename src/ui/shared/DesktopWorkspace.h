#pragma once

#include "ports/WorkspacePort.h"

#include <QObject>

#include <functional>

class FrontmostApplicationPort;

// The desktop as the application state sees it: which program is in front (from the
// window system) and which of our own windows are shown (from Qt).
class DesktopWorkspace : public WorkspacePort {
public:
    explicit DesktopWorkspace(FrontmostApplicationPort& frontmost);

    // How to bring our editor in front; set once the editor window exists.
    void setActivateSelf(std::function<void()> activateSelf) { m_activateSelf = std::move(activateSelf); }
    // How to keep a hidden editor in the taskbar (shown minimized); set with the editor.
    void setKeepInTaskbar(std::function<void()> keepInTaskbar) { m_keepInTaskbar = std::move(keepInTaskbar); }

    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() override;
    [[nodiscard]] std::optional<QString> ownApplicationId() const override;
    // On X11 only a window has a taskbar entry: the regular policy without a shown window
    // keeps the editor there minimized, so the application stays reachable without its tray
    // icon. Applied a turn later, after a reveal that sets the policy has shown the editor.
    void setActivationPolicy(ActivationPolicy policy) override;
    void activateIgnoringOtherApps() override;
    void activate(const RunningApplication& application) override;
    // Minimized windows do not count: they are in the taskbar, not on the screen.
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
    std::function<void()> m_keepInTaskbar;
    // Ends the pending application of the policy with the workspace.
    QObject m_context;
    ActivationPolicy m_policy = ActivationPolicy::regular;
};
