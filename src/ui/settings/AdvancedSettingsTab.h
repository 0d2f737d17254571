#pragma once

#include "ui/settings/SettingsPane.h"

class AppSettings;
class QLayout;

// Recognition, tray icon, editor window and privacy preferences.
class AdvancedSettingsTab : public SettingsPane {
    Q_OBJECT
public:
    explicit AdvancedSettingsTab(AppSettings& settings, QWidget* parent = nullptr);

private:
    void addRecognitionSection();
    void addWindowSection();
    void addExportSection();
    QLayout* escActionsRow();

    AppSettings& m_settings;
};
