#pragma once

#include <QString>

#include <array>

// The panes of the settings window, in the order of its tab strip.
enum class SettingsTab { general, hotkeys, uploading, advanced };

namespace SettingsTabs {

inline constexpr std::array<SettingsTab, 4> allCases {
    SettingsTab::general,
    SettingsTab::hotkeys,
    SettingsTab::uploading,
    SettingsTab::advanced,
};

[[nodiscard]] inline QString label(SettingsTab tab)
{
    switch (tab) {
    case SettingsTab::general:
        return QStringLiteral("General");
    case SettingsTab::hotkeys:
        return QStringLiteral("Hotkeys");
    case SettingsTab::uploading:
        return QStringLiteral("Uploading");
    case SettingsTab::advanced:
        break;
    }
    return QStringLiteral("Advanced");
}

} // namespace SettingsTabs
