#include "ui/settings/ShortcutRecorder.h"

#include "app/AppSettings.h"
#include "ui/settings/ShortcutRecording.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

} // namespace

ShortcutRecorder::ShortcutRecorder(AppSettings& settings, HotkeyRegistrar& hotkeys, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_hotkeys(hotkeys)
    , m_beep([] { QApplication::beep(); })
{
    // The settings register every shortcut again after each change; while recording
    // they must stay released.
    for (HotkeyAction action : HotkeyActions::allCases) {
        connect(&m_settings.hotkeyField(action), &ObservableNotifier::changed, this, [this] {
            if (m_recordingAction)
                m_hotkeys.registerHotkeys({});
        });
    }
}

ShortcutRecorder::~ShortcutRecorder()
{
    stopRecording();
    remove();
}

void ShortcutRecorder::startRecording(HotkeyAction action)
{
    setRecordingAction(action);
}

void ShortcutRecorder::stopRecording()
{
    setRecordingAction(std::nullopt);
}

void ShortcutRecorder::setRecordingAction(std::optional<HotkeyAction> action)
{
    if (m_recordingAction == action)
        return;
    const bool wasRecording = m_recordingAction.has_value();
    m_recordingAction = action;
    if (action && !wasRecording)
        m_hotkeys.registerHotkeys({});
    else if (!action && wasRecording)
        m_hotkeys.registerHotkeys(m_settings.shortcuts());
    Q_EMIT recordingChanged();
}

void ShortcutRecorder::install()
{
    if (m_installed || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    m_installed = true;
}

void ShortcutRecorder::remove()
{
    if (!m_installed)
        return;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
    m_installed = false;
}

bool ShortcutRecorder::handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (!m_recordingAction)
        return false;
    const HotkeyAction action = *m_recordingAction;
    std::visit(Overloaded {
                   [this](const ShortcutRecording::Cancel&) { stopRecording(); },
                   [this, action](const ShortcutRecording::Assign& assign) {
                       m_settings.assignShortcut(assign.shortcut, action);
                       stopRecording();
                   },
                   [this](const ShortcutRecording::Beep&) {
                       if (m_beep)
                           m_beep();
                   },
                   [](const ShortcutRecording::Wait&) {},
               },
        ShortcutRecording::decide(qtKey, modifiers));
    return true;
}

bool ShortcutRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_recordingAction)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepting it keeps menu and window shortcuts from firing, so the press arrives as a key press.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        event->accept();
        return handleKeyPress(keyEvent->key(), keyEvent->modifiers());
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
