#pragma once

#include "ports/HotkeyRegistrar.h"

#include <functional>
#include <map>
#include <memory>

class PortalGlobalShortcuts;
class XcbHotkeyService;

// Who takes the global shortcuts. On X11 the X server's key grabs. In a Wayland session
// those would fire only while an XWayland window has the focus, so the desktop's
// GlobalShortcuts portal where it has one, and otherwise nobody: the settings then show the
// commands to bind in the desktop's own keyboard settings.
class GlobalShortcutBackends {
public:
    using Callbacks = std::map<HotkeyAction, std::function<void()>>;

    GlobalShortcutBackends();
    ~GlobalShortcutBackends();
    GlobalShortcutBackends(const GlobalShortcutBackends&) = delete;
    GlobalShortcutBackends& operator=(const GlobalShortcutBackends&) = delete;

    [[nodiscard]] HotkeyRegistrar& registrar();
    void setCallbacks(Callbacks callbacks);

private:
    class NoGlobalShortcuts;

    std::unique_ptr<XcbHotkeyService> m_x11;
    std::unique_ptr<PortalGlobalShortcuts> m_portal;
    std::unique_ptr<NoGlobalShortcuts> m_none;
};
