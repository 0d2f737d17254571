#include "ui/settings/HotkeysSettingsTab.h"

#include "app/AppSettings.h"
#include "ui/settings/DesktopKeyboardSettings.h"
#include "ui/settings/DesktopShortcutCommand.h"
#include "ui/settings/SettingsSection.h"
#include "ui/settings/ShortcutField.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

#include <array>

namespace {

// The rows' order: the capture commands first, then the editor and recognition.
constexpr std::array s_rows {
    HotkeyAction::captureScreen,
    HotkeyAction::captureArea,
    HotkeyAction::addCapture,
    HotkeyAction::captureAnyWindow,
    HotkeyAction::captureActiveWindow,
    HotkeyAction::captureScrolling,
    HotkeyAction::showTrovix,
    HotkeyAction::recognizeText,
};

QPushButton* keyboardSettingsButton(QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("Open System Settings"), parent);
    button->setObjectName(QStringLiteral("openSystemSettings"));
    const std::optional<DesktopKeyboardSettings::Command> command
        = DesktopKeyboardSettings::command(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
            [](const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); });
    if (!command) {
        button->setEnabled(false);
        button->setToolTip(QStringLiteral("No keyboard settings application of this desktop was found."));
        return button;
    }
    QObject::connect(button, &QPushButton::clicked, button, [command] { DesktopKeyboardSettings::open(*command); });
    return button;
}

QWidget* commandRow(HotkeyAction action, const QString& program, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString command = DesktopShortcutCommand::command(action, program);
    auto* text = new QLineEdit(command, row);
    text->setReadOnly(true);
    text->setObjectName(HotkeyActions::settingKey(action) + QStringLiteral("Command"));
    auto* copy = new QPushButton(QStringLiteral("Copy"), row);
    copy->setObjectName(HotkeyActions::settingKey(action) + QStringLiteral("Copy"));
    QObject::connect(copy, &QPushButton::clicked, copy, [command] { QGuiApplication::clipboard()->setText(command); });
    layout->addWidget(text, 1);
    layout->addWidget(copy);
    return row;
}

} // namespace

void HotkeysSettingsTab::addCommandRows()
{
    SettingsSection* section = addSection(QStringLiteral("Keyboard shortcuts"),
        QStringLiteral("This desktop lets no program take global shortcuts, so Trovix has none of its own here. "
                       "Add each command you want to your desktop's keyboard shortcuts."));
    const QString program = DesktopShortcutCommand::program();
    for (HotkeyAction action : s_rows)
        section->addRow(HotkeyActions::title(action), commandRow(action, program, section));
}

HotkeysSettingsTab::HotkeysSettingsTab(
    AppSettings& settings, ShortcutRecorder& recorder, bool desktopTakesShortcuts, QWidget* parent)
    : SettingsPane(parent)
{
    if (!desktopTakesShortcuts) {
        addCommandRows();
        addKeyboardSettingsRow();
        finishLayout();
        return;
    }
    SettingsSection* section = addSection(QStringLiteral("Change keyboard shortcuts"),
        QStringLiteral("Click a shortcut field, then press the combination you want to use."));
    for (HotkeyAction action : s_rows)
        section->addRow(HotkeyActions::title(action), new ShortcutField(action, settings, recorder, section));

    addNote(QStringLiteral("Press Esc to cancel recording. Use Clear to remove a shortcut or Reset to restore the "
                           "default."));
    addNote(QStringLiteral("If your desktop is already using the same shortcut, turn it off in its Settings -> "
                           "Keyboard -> Keyboard Shortcuts."));
    addKeyboardSettingsRow();
    finishLayout();
}

void HotkeysSettingsTab::addKeyboardSettingsRow()
{
    auto* buttonRow = new QWidget(widget());
    auto* buttonLayout = new QHBoxLayout(buttonRow);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    buttonLayout->addWidget(keyboardSettingsButton(buttonRow));
    buttonLayout->addStretch();
    addWidget(buttonRow);
}
