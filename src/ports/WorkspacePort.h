#pragma once

#include "domain/RunningApplication.h"

#include <optional>

// Regular: the editor shows in the taskbar and window list. Accessory: the tray icon only.
enum class ActivationPolicy { regular, accessory };

// The desktop as a whole: which application is in front, and our own presence on it.
class WorkspacePort {
public:
    virtual ~WorkspacePort() = default;

    [[nodiscard]] virtual std::optional<RunningApplication> frontmostApplication() = 0;
    [[nodiscard]] virtual std::optional<QString> ownApplicationId() const = 0;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    // Brings this application in front of every other one.
    virtual void activateIgnoringOtherApps() = 0;
    // Brings another application's window to the front.
    virtual void activate(const RunningApplication& application) = 0;
    // Whether any of our windows is shown at an ordinary level (not a tray menu, overlay or HUD).
    [[nodiscard]] virtual bool hasVisibleRegularWindow() const = 0;

    // Opens the desktop's settings page for screen capture access, where the desktop has one;
    // does nothing otherwise.
    virtual void openScreenRecordingSettings() = 0;
    // Starts a new instance of this application; throws PlatformError when it cannot be started.
    virtual void launchNewInstance() = 0;
    // Ends this instance, tray icon and hot keys included.
    virtual void terminate() = 0;
};
