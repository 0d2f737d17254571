#pragma once

#include "ui/settings/SettingsTab.h"

#include <QWidget>

#include <functional>

class AppSettings;
class DialogsPort;
class HotkeyRegistrar;
class QButtonGroup;
class QStackedWidget;
class ShortcutRecorder;

// The preferences window: a strip of the four tabs above the selected pane.
// Every control edits the settings directly, which persist each change. The
// shortcut recorder watches key presses only while the window is shown.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize contentSize { 980, 760 };
    static constexpr QSize minimumContentSize { 920, 680 };

    // hotkeys is the registrar the settings register with; it is released while a shortcut is recorded.
    SettingsWindow(AppSettings& settings, HotkeyRegistrar& hotkeys, DialogsPort& dialogs,
        std::function<void()> uploadCurrentImage, QWidget* parent = nullptr);

    [[nodiscard]] SettingsTab selection() const { return m_selection; }
    void setSelection(SettingsTab tab);
    [[nodiscard]] ShortcutRecorder& recorder() { return *m_recorder; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* tabStrip();
    void applyStyle();

    SettingsTab m_selection = SettingsTab::general;
    ShortcutRecorder* m_recorder;
    QButtonGroup* m_tabButtons;
    QStackedWidget* m_panes;
};
