#pragma once

#include "ports/HotkeyRegistrar.h"

#include <vector>

class FakeHotkeyRegistrar final : public HotkeyRegistrar {
public:
    void registerHotkeys(const Shortcuts& shortcuts) override { m_registrations.push_back(shortcuts); }

    // Every set passed in, oldest first.
    [[nodiscard]] const std::vector<Shortcuts>& registrations() const { return m_registrations; }

private:
    std::vector<Shortcuts> m_registrations;
};
