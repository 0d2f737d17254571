#pragma once

#include "ui/settings/SettingsPane.h"

class AppSettings;
class ShortcutRecorder;

// One row per global shortcut, in the order of the actions, with the hints on
// recording and on shortcuts the desktop already uses. On a desktop where no program may
// take global shortcuts, one row per action with the command to bind in the desktop's own
// keyboard settings instead, and a button that copies it.
class HotkeysSettingsTab : public SettingsPane {
    Q_OBJECT
public:
    HotkeysSettingsTab(
        AppSettings& settings, ShortcutRecorder& recorder, bool desktopTakesShortcuts, QWidget* parent = nullptr);

private:
    void addCommandRows();
    // The button that opens the desktop's own keyboard settings.
    void addKeyboardSettingsRow();
};
