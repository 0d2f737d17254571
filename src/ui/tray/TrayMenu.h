#pragma once

#include "domain/HotkeyAction.h"
#include "ui/tray/TrayCaptureCommand.h"

#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <memory>
#include <optional>

class AppState;
class QAction;
class QMenu;

// The tray icon and its menu, from which every capture, text recognition, opening a file,
// loading the clipboard, launch at login, the settings and quitting are reached. The menu
// is refilled each time it opens and after every settings change, so titles, shortcuts,
// enabled states and check marks are always current. Captures and the window-level
// commands leave as signals; document commands go straight to the application state.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    // The icon shows at once unless the settings hide it.
    explicit TrayMenu(AppState& state, QObject* parent = nullptr);
    ~TrayMenu() override;

    [[nodiscard]] QMenu* menu() const { return m_menu.get(); }
    [[nodiscard]] QSystemTrayIcon* trayIcon() const { return m_trayIcon.get(); }

    // Empties the menu and fills it from the current state and settings.
    void populate();

Q_SIGNALS:
    void captureRequested(TrayCaptureCommand command);
    // "Reopen Trovix": bring the editor window to the front.
    void showEditorRequested();
    void settingsRequested();
    void quitRequested();

private:
    void connectState();
    void scheduleRebuild();
    void updateVisibility();
    void handleActivation(QSystemTrayIcon::ActivationReason reason);
    void populateMoreMenu();
    void toggleLaunchAtStartup();

    template <typename Handler>
    QAction* addItem(QMenu& menu, const QString& title, const QIcon& icon, const QKeySequence& keys, Handler&& handler);
    QAction* addCaptureItem(QMenu& menu, const QString& title, const QString& symbol, TrayCaptureCommand command,
        std::optional<HotkeyAction> shortcut);
    void showShortcut(QAction& item, HotkeyAction action) const;

    AppState& m_state;
    // Declared first so that the icon, which points to the menu, goes before it.
    std::unique_ptr<QMenu> m_menu;
    QMenu* m_moreMenu = nullptr; // owned by m_menu; kept across refills
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
    bool m_rebuildScheduled = false;
};
