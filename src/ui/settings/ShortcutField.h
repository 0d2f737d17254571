#pragma once

#include "domain/HotkeyAction.h"

#include <QWidget>

class AppSettings;
class QPushButton;
class ShortcutRecorder;

// One action's shortcut: a button that shows it and starts recording, then
// "Clear" and "Reset". Its object name is the action's setting key; the buttons
// are named "record", "clear" and "reset".
class ShortcutField : public QWidget {
    Q_OBJECT
public:
    ShortcutField(HotkeyAction action, AppSettings& settings, ShortcutRecorder& recorder, QWidget* parent = nullptr);

    [[nodiscard]] HotkeyAction action() const { return m_action; }
    // "Type shortcut…" while recording, "Record Shortcut" without a shortcut, else its display text.
    [[nodiscard]] QString recorderText() const;

private:
    void refresh();
    void clear();
    void reset();

    HotkeyAction m_action;
    AppSettings& m_settings;
    ShortcutRecorder& m_recorder;
    QPushButton* m_recordButton;
};
