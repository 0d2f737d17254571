#include "ui/settings/ShortcutField.h"

#include "app/AppSettings.h"
#include "ui/settings/ShortcutRecorder.h"

#include <QHBoxLayout>
#include <QPushButton>

ShortcutField::ShortcutField(HotkeyAction action, AppSettings& settings, ShortcutRecorder& recorder, QWidget* parent)
    : QWidget(parent)
    , m_action(action)
    , m_settings(settings)
    , m_recorder(recorder)
    , m_recordButton(new QPushButton(this))
{
    setObjectName(HotkeyActions::settingKey(action));
    m_recordButton->setObjectName(QStringLiteral("record"));
    m_recordButton->setCheckable(true);
    m_recordButton->setMinimumWidth(190);
    auto* clearButton = new QPushButton(QStringLiteral("Clear"), this);
    clearButton->setObjectName(QStringLiteral("clear"));
    auto* resetButton = new QPushButton(QStringLiteral("Reset"), this);
    resetButton->setObjectName(QStringLiteral("reset"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_recordButton);
    layout->addWidget(clearButton);
    layout->addWidget(resetButton);
    layout->addStretch();

    connect(m_recordButton, &QPushButton::clicked, this, [this] {
        m_recorder.startRecording(m_action);
        refresh();
    });
    connect(clearButton, &QPushButton::clicked, this, &ShortcutField::clear);
    connect(resetButton, &QPushButton::clicked, this, &ShortcutField::reset);
    connect(&m_settings.hotkeyField(action), &ObservableNotifier::changed, this, &ShortcutField::refresh);
    connect(&m_recorder, &ShortcutRecorder::recordingChanged, this, &ShortcutField::refresh);
    refresh();
}

QString ShortcutField::recorderText() const
{
    if (m_recorder.recordingAction() == m_action)
        return QStringLiteral("Type shortcut\u2026");
    const std::optional<HotkeyShortcut> shortcut = m_settings.shortcut(m_action);
    return shortcut ? shortcut->displayText() : QStringLiteral("Record Shortcut");
}

void ShortcutField::refresh()
{
    m_recordButton->setText(recorderText());
    m_recordButton->setChecked(m_recorder.recordingAction() == m_action);
}

void ShortcutField::clear()
{
    if (m_recorder.recordingAction() == m_action)
        m_recorder.stopRecording();
    m_settings.setShortcut(std::nullopt, m_action);
}

// Assigned rather than set, so that restoring a default another action has taken
// meanwhile moves it here instead of leaving one combination on two actions.
void ShortcutField::reset()
{
    if (m_recorder.recordingAction() == m_action)
        m_recorder.stopRecording();
    m_settings.assignShortcut(HotkeyActions::defaultShortcut(m_action), m_action);
}
