#pragma once

#include "ports/HotkeyRegistrar.h"

#include <vector>

class FakeHotkeyRegistrar final : public HotkeyRegistrar {
public:
    // False plays a desktop where no program may take global shortcuts.
    bool takesShortcuts = true;

    void registerHotkeys(const Shortcuts& shortcuts) override { m_registrations.push_back(shortcuts); }
    [[nodiscard]] bool takesGlobalShortcuts() const override { return takesShortcuts; }

    // Every set passed in, oldest first.
    [[nodiscard]] const std::vector<Shortcuts>& registrations() const { return m_registrations; }

private:
    std::vector<Shortcuts> m_registrations;
};
