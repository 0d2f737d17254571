#include "ui/HotkeysSettingsTab.h"

#include "app/AppSettings.h"
#include "ui/DesktopKeyboardSettings.h"
#include "ui/SettingsSection.h"
#include "ui/ShortcutField.h"

#include <QHBoxLayout>
#include <QLabel>
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

} // namespace

HotkeysSettingsTab::HotkeysSettingsTab(AppSettings& settings, ShortcutRecorder& recorder, QWidget* parent)
    : SettingsPane(parent)
{
    SettingsSection* section = addSection(QStringLiteral("Change keyboard shortcuts"),
        QStringLiteral("Click a shortcut field, then press the combination you want to use."));
    for (HotkeyAction action : s_rows)
        section->addRow(HotkeyActions::title(action), new ShortcutField(action, settings, recorder, section));

    addNote(QStringLiteral("Press Esc to cancel recording. Use Clear to remove a shortcut or Reset to restore the "
                           "default."));
    addNote(QStringLiteral("If your desktop is already using the same shortcut, turn it off in its Settings -> "
                           "Keyboard -> Keyboard Shortcuts."));
    auto* buttonRow = new QWidget(widget());
    auto* buttonLayout = new QHBoxLayout(buttonRow);
    buttonLayout->setContentsMargins(0, 0, 0, 0);
    buttonLayout->addWidget(keyboardSettingsButton(buttonRow));
    buttonLayout->addStretch();
    addWidget(buttonRow);
    finishLayout();
}
