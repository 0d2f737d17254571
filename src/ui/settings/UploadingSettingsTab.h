#pragma once

#include "ui/settings/SettingsPane.h"

#include <functional>

class AppSettings;
class QLabel;
class QLayout;
class QWidget;
class SettingsSection;

// The upload mode and, for a custom server, its address, form field, token and
// a test upload of the image open in the editor. A token bound for a plain http://
// address off this machine is pointed out once, under the token.
class UploadingSettingsTab : public SettingsPane {
    Q_OBJECT
public:
    UploadingSettingsTab(AppSettings& settings, std::function<void()> uploadCurrentImage, QWidget* parent = nullptr);

    // The line under the test button; it only says that the upload started, the
    // outcome is reported where every upload's is.
    [[nodiscard]] QString uploadStatus() const;

private:
    QLabel* tokenInClearWarning();
    QLayout* testUploadRow();
    void showServerRows();

    AppSettings& m_settings;
    std::function<void()> m_uploadCurrentImage;
    SettingsSection* m_section;
    QList<QWidget*> m_serverRows;
    QLayout* m_testRow = nullptr;
    QLabel* m_uploadStatus = nullptr;
    QLabel* m_tokenInClear = nullptr;
};
