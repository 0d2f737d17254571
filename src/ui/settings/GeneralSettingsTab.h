#pragma once

#include "domain/ScrollingCaptureMode.h"
#include "ui/settings/SettingsPane.h"

class AppSettings;
class DialogsPort;

// Capture, saving and start-up preferences: the window background cards, the
// screenshots folder, scrolling capture, autostart and what follows a capture.
class GeneralSettingsTab : public SettingsPane {
    Q_OBJECT
public:
    GeneralSettingsTab(AppSettings& settings, DialogsPort& dialogs, QWidget* parent = nullptr);

    // The line under the scrolling mode choice.
    [[nodiscard]] static QString scrollingModeDescription(ScrollingCaptureMode mode);

private:
    void addBackgroundSection();
    void addCaptureSection();
    QLayout* folderRow();
    QLayout* maxHeightRow();
    QLayout* speedRow();
    QWidget* scrollingModeControl();
    QLayout* afterScreenshotRow();
    void chooseFolder();

    AppSettings& m_settings;
    DialogsPort& m_dialogs;
};
