#include "ui/editor/EditorWindowRegistration.h"

#include "app/AppState.h"
#include "platform/qt/QtEditorWindow.h"
#include "ports/DialogsPort.h"
#include "ports/WorkspacePort.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

EditorWindowRegistration::EditorWindowRegistration(
    AppState& state, DialogsPort& dialogs, WorkspacePort& workspace, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_workspace(workspace)
{ }

EditorWindowRegistration::~EditorWindowRegistration()
{
    unregister();
}

void EditorWindowRegistration::registerWindow(QWidget& window)
{
    if (m_window == &window)
        return;
    unregister();
    m_window = &window;
    m_port = std::make_unique<QtEditorWindow>(window);
    m_state.setEditorWindow(m_port.get());
    // The registered window only counts while it lives.
    connect(&window, &QObject::destroyed, m_port.get(), [this] { unregister(); });
    // The key monitor: every event of the application passes here first, so Esc reaches
    // the editor's action before any focused field can swallow it.
    qApp->installEventFilter(this);
}

void EditorWindowRegistration::unregister()
{
    if (!m_port)
        return;
    qApp->removeEventFilter(this);
    if (m_state.editorWindow() == m_port.get())
        m_state.setEditorWindow(nullptr);
    m_port.reset();
    m_window = nullptr;
}

bool EditorWindowRegistration::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && escapeBelongsToEditor()) {
            m_state.handleEditorEscape();
            return true;
        }
        break;
    case QEvent::Quit:
        // Quitting asks every window to close and gives up if one refuses, so the editor
        // must let itself be closed from here on. Should the quit be refused elsewhere, the
        // event loop goes on and the next turn restores hiding.
        if (watched == qApp) {
            m_quitting = true;
            QTimer::singleShot(0, this, [this] { m_quitting = false; });
        }
        break;
    case QEvent::Close:
        if (watched == m_window && !m_quitting) {
            event->ignore();
            m_state.hideEditorToMenubar(QString::fromLatin1(hiddenToTrayMessage));
            return true;
        }
        break;
    case QEvent::WindowActivate:
        if (watched == m_window)
            m_workspace.setActivationPolicy(ActivationPolicy::regular);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool EditorWindowRegistration::escapeBelongsToEditor() const
{
    return m_window && QApplication::activeWindow() == m_window && !hasAttachedSheet() && !m_dialogs.isShowingModal()
        && !m_state.isCaptureTransitionActive();
}

bool EditorWindowRegistration::hasAttachedSheet() const
{
    // An open menu or popup takes Esc to close itself; the editor's window stays the active one meanwhile.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return true;
    const QList<QDialog*> dialogs = m_window->findChildren<QDialog*>();
    return std::any_of(dialogs.begin(), dialogs.end(), [](const QDialog* dialog) { return dialog->isVisible(); });
}
