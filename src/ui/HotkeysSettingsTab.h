#pragma once

#include "ui/SettingsPane.h"

class AppSettings;
class ShortcutRecorder;

// One row per global shortcut, in the order of the actions, with the hints on
// recording and on shortcuts the desktop already uses.
class HotkeysSettingsTab : public SettingsPane {
    Q_OBJECT
public:
    HotkeysSettingsTab(AppSettings& settings, ShortcutRecorder& recorder, QWidget* parent = nullptr);
};
