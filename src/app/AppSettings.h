#pragma once

#include "app/Observable.h"
#include "domain/HotkeyAction.h"
#include "domain/HotkeyShortcut.h"
#include "domain/SaveFormat.h"
#include "domain/ScrollingCaptureMode.h"
#include "domain/UploadMode.h"
#include "domain/WindowBackgroundStyle.h"
#include "ports/HotkeyRegistrar.h"

#include <QString>

#include <optional>

class DefaultsStore;
class LoginItem;

// Every user preference. Each field is stored under its own name; any assignment
// after start-up writes the whole set back at once, so the store never holds a
// mix of old and new preferences. A shortcut change re-registers the global hot
// keys and a launchAtStartup change updates the login item.
class AppSettings {
public:
    // Loads every field and synchronises the login item; writes nothing. The ports must outlive the settings.
    AppSettings(DefaultsStore& defaults, LoginItem& loginItem, HotkeyRegistrar& hotkeyRegistrar);
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    Observable<bool> launchAtStartup { false };
    // Kept unexpanded; a leading "~" is expanded where files are written.
    Observable<QString> screenshotsFolderPath { QStringLiteral("~/Pictures/Trovix") };
    Observable<WindowBackgroundStyle> windowBackgroundStyle { WindowBackgroundStyle::transparent };
    Observable<SaveFormat> saveFormat { SaveFormat::png };
    Observable<bool> resizeRetinaScreenshots { false };
    Observable<ScrollingCaptureMode> scrollingCaptureMode { ScrollingCaptureMode::manual };
    // No range is enforced here: the settings window and the consumers clamp.
    Observable<double> scrollingScreenshotMaxHeight { 20000.0 };
    Observable<double> scrollingScreenshotSpeed { 0.65 };
    Observable<bool> showAfterScreenshot { true };
    Observable<bool> copyAfterScreenshot { false };
    Observable<bool> saveAfterScreenshot { false };
    Observable<bool> showEditorAfterAreaCrop { true };
    Observable<bool> hidePreviewThumbnailManually { true };
    Observable<UploadMode> uploadMode { UploadMode::disabled };
    Observable<QString> uploadEndpoint { QStringLiteral("https://example.com/upload") };
    Observable<QString> uploadAuthorizationToken { QString() };
    Observable<QString> uploadFieldName { QStringLiteral("file") };
    Observable<QString> ocrLanguage { QStringLiteral("English+") };
    Observable<bool> removeOcrLineBreaks { false };
    Observable<bool> hideMenubarIcon { false };
    Observable<bool> splashWindowDisabled { false };
    Observable<bool> mainWindowAlwaysOnTop { false };
    Observable<bool> reverseScrollDirection { false };
    Observable<bool> prefer100Zoom { true };
    Observable<bool> copyImageWhenEsc { true };
    Observable<bool> saveImageWhenEsc { false };
    Observable<QString> confirmationStyle { QStringLiteral("Custom Notification") };
    Observable<bool> enableDeepLinks { false };
    Observable<bool> allowDiagnostics { true };

    using ShortcutField = Observable<std::optional<HotkeyShortcut>>;
    ShortcutField captureScreenHotkey { HotkeyActions::defaultShortcut(HotkeyAction::captureScreen) };
    ShortcutField captureAreaHotkey { HotkeyActions::defaultShortcut(HotkeyAction::captureArea) };
    ShortcutField addCaptureHotkey { HotkeyActions::defaultShortcut(HotkeyAction::addCapture) };
    ShortcutField captureAnyWindowHotkey { HotkeyActions::defaultShortcut(HotkeyAction::captureAnyWindow) };
    ShortcutField captureScrollingHotkey { HotkeyActions::defaultShortcut(HotkeyAction::captureScrolling) };
    ShortcutField captureActiveWindowHotkey { HotkeyActions::defaultShortcut(HotkeyAction::captureActiveWindow) };
    ShortcutField showTrovixHotkey { HotkeyActions::defaultShortcut(HotkeyAction::showTrovix) };
    ShortcutField recognizeTextHotkey { HotkeyActions::defaultShortcut(HotkeyAction::recognizeText) };

    [[nodiscard]] ShortcutField& hotkeyField(HotkeyAction action);
    [[nodiscard]] const ShortcutField& hotkeyField(HotkeyAction action) const;

    [[nodiscard]] std::optional<HotkeyShortcut> shortcut(HotkeyAction action) const;
    // The shortcut that starts the action from anywhere: none where the desktop lets no
    // program take global shortcuts, so that no menu shows a key that does nothing.
    [[nodiscard]] std::optional<HotkeyShortcut> globalShortcut(HotkeyAction action) const;
    // None clears the action's shortcut.
    void setShortcut(std::optional<HotkeyShortcut> shortcut, HotkeyAction action);
    // Takes the shortcut away from every other action first, so that one
    // combination never starts two commands.
    void assignShortcut(HotkeyShortcut shortcut, HotkeyAction action);
    // Every action that currently has a shortcut.
    [[nodiscard]] HotkeyRegistrar::Shortcuts shortcuts() const;

    // "Shortcuts: ⌃⌥2 area   ⌃⌥5 screen   ⌃⌥3 add", "none" for a missing one.
    [[nodiscard]] QString hotkeySummaryText() const;

    [[nodiscard]] bool isLoading() const { return m_isLoading; }

private:
    enum class FieldRole { preference, loginItem, hotkey };

    template <typename Visitor> void forEachField(Visitor&& visit);
    void load();
    void connectFields();
    void handleChange(FieldRole role);
    void persist();
    void synchroniseLoginItem();

    DefaultsStore& m_defaults;
    LoginItem& m_loginItem;
    HotkeyRegistrar& m_hotkeyRegistrar;
    bool m_isLoading = false;
};
