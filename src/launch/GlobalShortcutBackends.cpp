#include "launch/GlobalShortcutBackends.h"

#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/wayland/WaylandOutputs.h"
#include "platform/x11/XcbHotkeyService.h"

class GlobalShortcutBackends::NoGlobalShortcuts final : public HotkeyRegistrar {
public:
    void registerHotkeys(const Shortcuts&) override { }
    [[nodiscard]] bool takesGlobalShortcuts() const override { return false; }
};

GlobalShortcutBackends::GlobalShortcutBackends()
{
    if (!WaylandOutputs::isWaylandSession())
        m_x11 = std::make_unique<XcbHotkeyService>();
    else if (PortalGlobalShortcuts::isOffered())
        m_portal = std::make_unique<PortalGlobalShortcuts>();
    else
        m_none = std::make_unique<NoGlobalShortcuts>();
}

GlobalShortcutBackends::~GlobalShortcutBackends() = default;

HotkeyRegistrar& GlobalShortcutBackends::registrar()
{
    if (m_x11)
        return *m_x11;
    if (m_portal)
        return *m_portal;
    return *m_none;
}

void GlobalShortcutBackends::setCallbacks(Callbacks callbacks)
{
    if (m_x11)
        m_x11->setCallbacks(std::move(callbacks));
    else if (m_portal)
        m_portal->setCallbacks(std::move(callbacks));
}
