// The application's presence on the desktop: taskbar entry or tray icon only, and
// handing the focus back to the application the user came from.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "ports/WorkspacePort.h"

void AppState::updateActivationPolicyForCurrentVisibility()
{
    // With the tray icon hidden the taskbar entry is the only way back, so it stays.
    const bool regular = m_ports.workspace.hasVisibleRegularWindow() || settings.hideMenubarIcon();
    m_ports.workspace.setActivationPolicy(regular ? ActivationPolicy::regular : ActivationPolicy::accessory);
}

void AppState::leaveEditor()
{
    updateActivationPolicyForCurrentVisibility();
    const std::optional<RunningApplication>& target = m_previousActiveApp ? m_previousActiveApp : m_lastExternalApp;
    if (target)
        m_ports.workspace.activate(*target);
}

void AppState::captureCurrentExternalApp()
{
    const std::optional<RunningApplication> front = m_ports.workspace.frontmostApplication();
    // Two absent application ids count as the same application.
    if (front && front->applicationId != m_ports.workspace.ownApplicationId())
        m_lastExternalApp = front;
}
