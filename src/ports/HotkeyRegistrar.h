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
};
