#pragma once

#include "domain/HotkeyAction.h"

#include <QObject>

#include <functional>
#include <optional>

class AppSettings;
class HotkeyRegistrar;

// Records a global shortcut for one action at a time. While installed it watches
// every key press of the application; while an action is being recorded it
// swallows them all (shortcuts of menus included) and applies the recording rule,
// and otherwise lets them pass untouched.
//
// The global hot keys are released while recording: the X server hands a grabbed
// combination to the grab on the root window, not to the focused window, so
// pressing a combination another action holds would run that action instead of
// being recorded.
class ShortcutRecorder : public QObject {
    Q_OBJECT
public:
    ShortcutRecorder(AppSettings& settings, HotkeyRegistrar& hotkeys, QObject* parent = nullptr);
    ~ShortcutRecorder() override;

    [[nodiscard]] std::optional<HotkeyAction> recordingAction() const { return m_recordingAction; }
    void startRecording(HotkeyAction action);
    void stopRecording();

    // Installing twice keeps one watcher.
    void install();
    void remove();
    [[nodiscard]] bool isInstalled() const { return m_installed; }

    // The sound of a refused key: the desktop's bell unless replaced.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // Applies one key press; true when it is swallowed.
    bool handleKeyPress(int qtKey, Qt::KeyboardModifiers modifiers);

Q_SIGNALS:
    void recordingChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setRecordingAction(std::optional<HotkeyAction> action);

    AppSettings& m_settings;
    HotkeyRegistrar& m_hotkeys;
    std::optional<HotkeyAction> m_recordingAction;
    std::function<void()> m_beep;
    bool m_installed = false;
};
