// Getting our own windows out of a screenshot's way and bringing them back afterwards.
#include "app/AppState.h"

#include "ports/ApplicationWindowsPort.h"
#include "ports/Clock.h"
#include "ports/EditorWindowPort.h"
#include "services/ScreenshotService.h"

#include <algorithm>
#include <limits>

namespace {

// The window system needs this long to take hidden windows off the screen before its
// pixels are read; with nothing hidden a shorter pause still lets menus close.
constexpr std::chrono::milliseconds waitAfterHiding { 140 };
constexpr std::chrono::milliseconds waitWithoutHiding { 70 };

std::optional<std::int32_t> processIdentifier(const std::optional<RunningApplication>& application)
{
    if (!application || application->processId <= 0
        || application->processId > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(application->processId);
}

} // namespace

std::optional<std::int32_t> AppState::captureTargetApplicationPID() const
{
    if (m_previousActiveApp)
        return processIdentifier(m_previousActiveApp);
    return processIdentifier(m_lastExternalApp);
}

bool AppState::isEditorWindow(const ApplicationWindow& window) const
{
    if (window.title == editorWindowTitle)
        return true;
    const EditorWindowPort* editor = editorWindow();
    return editor && m_ports.applicationWindows.idOf(*editor) == window.id;
}

bool AppState::includesEditorWindow(const QList<ApplicationWindow>& windows) const
{
    return std::any_of(
        windows.cbegin(), windows.cend(), [this](const ApplicationWindow& window) { return isEditorWindow(window); });
}

QList<ApplicationWindow> AppState::hideWindowsForCapture()
{
    QList<ApplicationWindow> hidden;
    for (const ApplicationWindow& window : m_ports.applicationWindows.windows()) {
        if (window.isVisible && !window.title.isEmpty() && window.level < WindowLevel::status)
            hidden.append(window);
    }
    for (const ApplicationWindow& window : hidden) {
        // Off screen, the window must not catch a click meant for what is behind it.
        m_ports.applicationWindows.setIgnoresMouseEvents(window.id, true);
        m_ports.applicationWindows.orderOut(window.id);
    }
    return hidden;
}

QCoro::Task<QList<ApplicationWindow>> AppState::prepareForCaptureTransition(SettlingWork whileSettling)
{
    capturePreviousAppIfNeeded();
    isCaptureTransitionActive.set(true);
    QList<ApplicationWindow> hidden = hideWindowsForCapture();
    // The wait returns to the event loop, which sends the hiding to the window system. The
    // timer runs from here; the memory for the pictures is made ready within the wait.
    QCoro::Task<> settling = m_ports.clock.sleep(hidden.isEmpty() ? waitWithoutHiding : waitAfterHiding);
    m_ports.screenshots.prepareToCapture();
    if (whileSettling)
        whileSettling();
    co_await std::move(settling);
    co_return hidden;
}

void AppState::restoreWindows(const QList<ApplicationWindow>& windows, bool shouldShowEditor)
{
    for (const ApplicationWindow& window : windows)
        m_ports.applicationWindows.setIgnoresMouseEvents(window.id, false);
    // The editor comes back only through the reveal below, so that it takes the focus.
    for (const ApplicationWindow& window : windows) {
        if (!isEditorWindow(window))
            m_ports.applicationWindows.orderFrontRegardless(window.id);
    }
    if (shouldShowEditor)
        bringEditorForward();
    else
        updateActivationPolicyForCurrentVisibility();
}

void AppState::completeCaptureTransition(const QList<ApplicationWindow>& windows)
{
    for (const ApplicationWindow& window : windows)
        m_ports.applicationWindows.setIgnoresMouseEvents(window.id, false);
    if (const EditorWindowPort* editorPort = editorWindow()) {
        if (const std::optional<std::uintptr_t> editor = m_ports.applicationWindows.idOf(*editorPort))
            m_ports.applicationWindows.setIgnoresMouseEvents(*editor, false);
    }
    isCaptureTransitionActive.set(false);
}
