#include "app/AppSettings.h"

#include "app/DefaultsReading.h"
#include "ports/DefaultsStore.h"
#include "ports/LoginItem.h"

#include <type_traits>
#include <vector>

namespace {

// The raw-value helpers of each settings enumeration, so that reading and
// writing can treat the four alike.
template <typename Enum> struct RawValues;

template <> struct RawValues<WindowBackgroundStyle> {
    static QString of(WindowBackgroundStyle value) { return WindowBackgroundStyles::rawValue(value); }
    static auto parse(const QString& text) { return WindowBackgroundStyles::fromRawValue(text); }
};

template <> struct RawValues<SaveFormat> {
    static QString of(SaveFormat value) { return SaveFormats::rawValue(value); }
    static auto parse(const QString& text) { return SaveFormats::fromRawValue(text); }
};

template <> struct RawValues<ScrollingCaptureMode> {
    static QString of(ScrollingCaptureMode value) { return ScrollingCaptureModes::rawValue(value); }
    static auto parse(const QString& text) { return ScrollingCaptureModes::fromRawValue(text); }
};

template <> struct RawValues<UploadMode> {
    static QString of(UploadMode value) { return UploadModes::rawValue(value); }
    static auto parse(const QString& text) { return UploadModes::fromRawValue(text); }
};

// A cleared shortcut is kept as an empty text rather than a removed key: a
// missing key means "never set" and loads the default, so removing it would
// bring a cleared shortcut back at the next start.
QString storedShortcut(const std::optional<HotkeyShortcut>& shortcut)
{
    return shortcut ? shortcut->storageValue() : QString();
}

QString shortcutDescription(const std::optional<HotkeyShortcut>& shortcut)
{
    return shortcut ? shortcut->displayText() : QStringLiteral("none");
}

} // namespace

AppSettings::AppSettings(DefaultsStore& defaults, LoginItem& loginItem, HotkeyRegistrar& hotkeyRegistrar)
    : m_defaults(defaults)
    , m_loginItem(loginItem)
    , m_hotkeyRegistrar(hotkeyRegistrar)
{
    m_isLoading = true;
    load();
    m_isLoading = false;
    synchroniseLoginItem();
    connectFields();
}

// Every stored field in declaration order, each with its key: the one list that
// loading, persisting and change handling share.
template <typename Visitor> void AppSettings::forEachField(Visitor&& visit)
{
    visit(QStringLiteral("launchAtStartup"), launchAtStartup);
    visit(QStringLiteral("screenshotsFolderPath"), screenshotsFolderPath);
    visit(QStringLiteral("windowBackgroundStyle"), windowBackgroundStyle);
    visit(QStringLiteral("saveFormat"), saveFormat);
    visit(QStringLiteral("resizeRetinaScreenshots"), resizeRetinaScreenshots);
    visit(QStringLiteral("scrollingCaptureMode"), scrollingCaptureMode);
    visit(QStringLiteral("scrollingScreenshotMaxHeight"), scrollingScreenshotMaxHeight);
    visit(QStringLiteral("scrollingScreenshotSpeed"), scrollingScreenshotSpeed);
    visit(QStringLiteral("showAfterScreenshot"), showAfterScreenshot);
    visit(QStringLiteral("copyAfterScreenshot"), copyAfterScreenshot);
    visit(QStringLiteral("saveAfterScreenshot"), saveAfterScreenshot);
    visit(QStringLiteral("showEditorAfterAreaCrop"), showEditorAfterAreaCrop);
    visit(QStringLiteral("hidePreviewThumbnailManually"), hidePreviewThumbnailManually);
    visit(QStringLiteral("uploadMode"), uploadMode);
    visit(QStringLiteral("uploadEndpoint"), uploadEndpoint);
    visit(QStringLiteral("uploadAuthorizationToken"), uploadAuthorizationToken);
    visit(QStringLiteral("uploadFieldName"), uploadFieldName);
    visit(QStringLiteral("ocrLanguage"), ocrLanguage);
    visit(QStringLiteral("removeOcrLineBreaks"), removeOcrLineBreaks);
    visit(QStringLiteral("hideMenubarIcon"), hideMenubarIcon);
    visit(QStringLiteral("splashWindowDisabled"), splashWindowDisabled);
    visit(QStringLiteral("mainWindowAlwaysOnTop"), mainWindowAlwaysOnTop);
    visit(QStringLiteral("reverseScrollDirection"), reverseScrollDirection);
    visit(QStringLiteral("prefer100Zoom"), prefer100Zoom);
    visit(QStringLiteral("copyImageWhenEsc"), copyImageWhenEsc);
    visit(QStringLiteral("saveImageWhenEsc"), saveImageWhenEsc);
    visit(QStringLiteral("confirmationStyle"), confirmationStyle);
    visit(QStringLiteral("enableDeepLinks"), enableDeepLinks);
    visit(QStringLiteral("allowDiagnostics"), allowDiagnostics);
    for (HotkeyAction action : HotkeyActions::allCases)
        visit(HotkeyActions::settingKey(action), hotkeyField(action));
}

// Fields still hold their defaults here, so each falls back to its own value.
void AppSettings::load()
{
    forEachField([this](const QString& key, auto& field) {
        using T = std::decay_t<decltype(field.get())>;
        const DefaultsReading::Value stored = m_defaults.value(key);
        if constexpr (std::is_same_v<T, bool>) {
            if (&field == &launchAtStartup)
                field.set(DefaultsReading::plainBool(stored));
            else
                field.set(DefaultsReading::boolean(stored).value_or(field.get()));
        } else if constexpr (std::is_same_v<T, double>) {
            field.set(DefaultsReading::number(stored).value_or(field.get()));
        } else if constexpr (std::is_same_v<T, QString>) {
            field.set(DefaultsReading::text(stored).value_or(field.get()));
        } else if constexpr (std::is_same_v<T, std::optional<HotkeyShortcut>>) {
            field.set(DefaultsReading::shortcut(stored, *field.get()));
        } else {
            const std::optional<QString> rawValue = DefaultsReading::text(stored);
            field.set(rawValue ? RawValues<T>::parse(*rawValue).value_or(field.get()) : field.get());
        }
    });
}

void AppSettings::connectFields()
{
    forEachField([this](const QString&, auto& field) {
        using T = std::decay_t<decltype(field.get())>;
        FieldRole role = FieldRole::preference;
        if constexpr (std::is_same_v<T, std::optional<HotkeyShortcut>>)
            role = FieldRole::hotkey;
        else if constexpr (std::is_same_v<T, bool>)
            role = &field == &launchAtStartup ? FieldRole::loginItem : FieldRole::preference;
        QObject::connect(&field, &ObservableNotifier::changed, [this, role] { handleChange(role); });
    });
}

void AppSettings::handleChange(FieldRole role)
{
    if (m_isLoading)
        return;
    persist();
    if (role == FieldRole::loginItem)
        synchroniseLoginItem();
    if (role == FieldRole::hotkey)
        m_hotkeyRegistrar.registerHotkeys(shortcuts());
}

void AppSettings::persist()
{
    std::vector<DefaultsStore::Entry> entries;
    forEachField([&entries](const QString& key, auto& field) {
        using T = std::decay_t<decltype(field.get())>;
        if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, double> || std::is_same_v<T, QString>)
            entries.push_back({ key, DefaultsStore::Value(field.get()) });
        else if constexpr (std::is_same_v<T, std::optional<HotkeyShortcut>>)
            entries.push_back({ key, DefaultsStore::Value(storedShortcut(field.get())) });
        else
            entries.push_back({ key, DefaultsStore::Value(RawValues<T>::of(field.get())) });
    });
    m_defaults.write(entries);
}

void AppSettings::synchroniseLoginItem()
{
    m_loginItem.setEnabled(launchAtStartup.get());
}

AppSettings::ShortcutField& AppSettings::hotkeyField(HotkeyAction action)
{
    return const_cast<ShortcutField&>(std::as_const(*this).hotkeyField(action));
}

const AppSettings::ShortcutField& AppSettings::hotkeyField(HotkeyAction action) const
{
    switch (action) {
    case HotkeyAction::captureScreen:
        return captureScreenHotkey;
    case HotkeyAction::captureArea:
        return captureAreaHotkey;
    case HotkeyAction::addCapture:
        return addCaptureHotkey;
    case HotkeyAction::captureAnyWindow:
        return captureAnyWindowHotkey;
    case HotkeyAction::captureScrolling:
        return captureScrollingHotkey;
    case HotkeyAction::captureActiveWindow:
        return captureActiveWindowHotkey;
    case HotkeyAction::showTrovix:
        return showTrovixHotkey;
    case HotkeyAction::recognizeText:
        break;
    }
    return recognizeTextHotkey;
}

std::optional<HotkeyShortcut> AppSettings::shortcut(HotkeyAction action) const
{
    return hotkeyField(action).get();
}

std::optional<HotkeyShortcut> AppSettings::globalShortcut(HotkeyAction action) const
{
    if (!m_hotkeyRegistrar.takesGlobalShortcuts())
        return std::nullopt;
    return shortcut(action);
}

void AppSettings::setShortcut(std::optional<HotkeyShortcut> shortcut, HotkeyAction action)
{
    hotkeyField(action).set(shortcut);
}

void AppSettings::assignShortcut(HotkeyShortcut shortcut, HotkeyAction action)
{
    for (HotkeyAction other : HotkeyActions::allCases) {
        if (other != action && this->shortcut(other) == shortcut)
            setShortcut(std::nullopt, other);
    }
    setShortcut(shortcut, action);
}

HotkeyRegistrar::Shortcuts AppSettings::shortcuts() const
{
    HotkeyRegistrar::Shortcuts result;
    for (HotkeyAction action : HotkeyActions::allCases) {
        if (const std::optional<HotkeyShortcut> assigned = shortcut(action))
            result.emplace(action, *assigned);
    }
    return result;
}

QString AppSettings::hotkeySummaryText() const
{
    return QStringLiteral("Shortcuts: ") + shortcutDescription(shortcut(HotkeyAction::captureArea))
        + QStringLiteral(" area   ") + shortcutDescription(shortcut(HotkeyAction::captureScreen))
        + QStringLiteral(" screen   ") + shortcutDescription(shortcut(HotkeyAction::addCapture))
        + QStringLiteral(" add");
}
