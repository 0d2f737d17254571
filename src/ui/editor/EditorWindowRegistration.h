#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class AppState;
class DialogsPort;
class QKeyEvent;
class QtEditorWindow;
class WorkspacePort;

// Makes the editor window behave as the front of a tray utility: it is the state's
// editor window, Esc runs the editor's Esc action, the close button hides it to the
// tray, and activating it brings back the taskbar entry.
class EditorWindowRegistration : public QObject {
    Q_OBJECT
public:
    static constexpr auto hiddenToTrayMessage = "Trovix is still running in the tray";

    EditorWindowRegistration(
        AppState& state, DialogsPort& dialogs, WorkspacePort& workspace, QObject* parent = nullptr);
    ~EditorWindowRegistration() override;

    // Registering the window already registered changes nothing; another window
    // replaces it, key monitor included.
    void registerWindow(QWidget& window);
    [[nodiscard]] QWidget* window() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void unregister();
    [[nodiscard]] bool escapeBelongsToEditor() const;
    [[nodiscard]] bool hasAttachedSheet() const;

    AppState& m_state;
    DialogsPort& m_dialogs;
    WorkspacePort& m_workspace;
    QPointer<QWidget> m_window;
    std::unique_ptr<QtEditorWindow> m_port;
    bool m_quitting = false;
};
