#pragma once

#include <QPointer>

#include <functional>

class AppSettings;
class AppState;
class DialogsPort;
class HotkeyRegistrar;
class SettingsWindow;

// Owns the one preferences window: the first show builds it, later ones bring
// it to the front, and closing it forgets it so that the next show starts fresh
// (General tab, nothing recording).
class SettingsWindowController {
public:
    // hotkeys: the registrar the settings were given.
    SettingsWindowController(AppSettings& settings, HotkeyRegistrar& hotkeys, DialogsPort& dialogs,
        std::function<void()> uploadCurrentImage);
    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;

    void show();
    // The window while it is open.
    [[nodiscard]] SettingsWindow* window() const { return m_window.data(); }

    // Uploads the editor's current image; does nothing once the state is gone.
    [[nodiscard]] static std::function<void()> uploadCallback(AppState& state);

private:
    AppSettings& m_settings;
    HotkeyRegistrar& m_hotkeys;
    DialogsPort& m_dialogs;
    std::function<void()> m_uploadCurrentImage;
    QPointer<SettingsWindow> m_window;
};
