#pragma once

#include "domain/HotkeyAction.h"
#include "domain/HotkeyShortcut.h"

#include <map>

// The system-wide shortcut facility. Every call replaces the whole registered
// set; a shortcut the system refuses (already taken) simply stays unregistered.
class HotkeyRegistrar {
public:
    using Shortcuts = std::map<HotkeyAction, HotkeyShortcut>;

    virtual ~HotkeyRegistrar() = default;

    // Actions missing from the map end up without a hot key.
    virtual void registerHotkeys(const Shortcuts& shortcuts) = 0;

    // Whether a registered shortcut can reach us at all; false where the desktop lets no
    // program take global shortcuts, and its own keyboard settings must run our commands.
    [[nodiscard]] virtual bool takesGlobalShortcuts() const { return true; }
};
