#include "ui/settings/SettingsWindowController.h"

#include "app/AppState.h"
#include "ui/settings/SettingsWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

SettingsWindowController::SettingsWindowController(
    AppSettings& settings, HotkeyRegistrar& hotkeys, DialogsPort& dialogs, std::function<void()> uploadCurrentImage)
    : m_settings(settings)
    , m_hotkeys(hotkeys)
    , m_dialogs(dialogs)
    , m_uploadCurrentImage(std::move(uploadCurrentImage))
{ }

SettingsWindowController::~SettingsWindowController()
{
    delete m_window.data();
}

void SettingsWindowController::show()
{
    if (!m_window) {
        m_window = new SettingsWindow(m_settings, m_hotkeys, m_dialogs, m_uploadCurrentImage);
        // Closing forgets the window; the next show builds a fresh one.
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            m_window->setGeometry(
                QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, m_window->size(), screen->availableGeometry()));
    }
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

std::function<void()> SettingsWindowController::uploadCallback(AppState& state)
{
    return [state = QPointer<AppState>(&state)] {
        // The task keeps running on its own and reports through the state's messages.
        if (state)
            state->uploadCurrentImage();
    };
}
