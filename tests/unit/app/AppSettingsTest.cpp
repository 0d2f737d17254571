#include "app/AppSettings.h"
#include "domain/HotkeyKeys.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/InMemoryDefaultsStore.h"

#include <gtest/gtest.h>

#include <memory>

using Value = DefaultsStore::Value;

namespace {

constexpr HotkeyShortcut controlOption5 { 23, HotkeyKeys::controlModifier | HotkeyKeys::optionModifier };

class AppSettingsTest : public testing::Test {
protected:
    AppSettings& start(QHash<QString, Value> stored = {})
    {
        m_store = InMemoryDefaultsStore(std::move(stored));
        return restart();
    }

    // A new process on the same store.
    AppSettings& restart()
    {
        m_settings.reset();
        m_settings = std::make_unique<AppSettings>(m_store, m_loginItem, m_registrar);
        return *m_settings;
    }

    // Any assignment writes everything; this one changes nothing else.
    void touch() { m_settings->hidePreviewThumbnailManually.set(m_settings->hidePreviewThumbnailManually()); }

    [[nodiscard]] std::optional<Value> stored(const char* key) const { return m_store.value(QLatin1String(key)); }

    InMemoryDefaultsStore m_store;
    FakeLoginItem m_loginItem;
    FakeHotkeyRegistrar m_registrar;
    std::unique_ptr<AppSettings> m_settings;
};

Value text(const char* value)
{
    return QString::fromUtf8(value);
}

struct StoredValue {
    const char* key;
    Value value;
};

// Every key with its default, in the type it is stored as.
const StoredValue s_defaults[] = { { "launchAtStartup", false }, { "screenshotsFolderPath", text("~/Pictures/Trovix") },
    { "windowBackgroundStyle", text("transparent") }, { "saveFormat", text("png") },
    { "resizeRetinaScreenshots", false }, { "scrollingCaptureMode", text("manual") },
    { "scrollingScreenshotMaxHeight", 20000.0 }, { "scrollingScreenshotSpeed", 0.65 }, { "showAfterScreenshot", true },
    { "copyAfterScreenshot", false }, { "saveAfterScreenshot", false }, { "showEditorAfterAreaCrop", true },
    { "hidePreviewThumbnailManually", true }, { "uploadMode", text("disabled") },
    { "uploadEndpoint", text("https://example.com/upload") }, { "uploadAuthorizationToken", text("") },
    { "uploadFieldName", text("file") }, { "ocrLanguage", text("English+") }, { "removeOcrLineBreaks", false },
    { "hideMenubarIcon", false }, { "splashWindowDisabled", false }, { "mainWindowAlwaysOnTop", false },
    { "reverseScrollDirection", false }, { "prefer100Zoom", true }, { "copyImageWhenEsc", true },
    { "saveImageWhenEsc", false }, { "confirmationStyle", text("Custom Notification") }, { "enableDeepLinks", false },
    { "allowDiagnostics", true }, { "captureScreenHotkey", text("23:6144") }, { "captureAreaHotkey", text("19:6144") },
    { "addCaptureHotkey", text("20:6144") }, { "captureAnyWindowHotkey", text("21:6144") },
    { "captureScrollingHotkey", text("22:6144") }, { "captureActiveWindowHotkey", text("26:6144") },
    { "showTrovixHotkey", text("18:6144") }, { "recognizeTextHotkey", text("31:6400") } };

TEST_F(AppSettingsTest, EmptyStoreGivesEveryDefaultAndWritesNothingAtStartUp)
{
    AppSettings& settings = start();
    EXPECT_EQ(m_store.writeCount(), 0);
    EXPECT_TRUE(m_registrar.registrations().empty());
    EXPECT_EQ(settings.windowBackgroundStyle(), WindowBackgroundStyle::transparent);
    EXPECT_EQ(settings.recognizeTextHotkey(), (HotkeyShortcut { 31, 0x1900 }));

    touch(); // one write, of every key
    EXPECT_EQ(m_store.writeCount(), 1);
    EXPECT_EQ(m_store.values().size(), static_cast<qsizetype>(std::size(s_defaults)));
    for (const StoredValue& expected : s_defaults) {
        SCOPED_TRACE(expected.key);
        EXPECT_EQ(stored(expected.key), expected.value);
    }
}

struct ReadBackCase {
    const char* key;
    Value stored;
    Value readBack;
};

// Each case loads one stored value, then writes the set again: what comes back
// is what the setting read, in the type it is stored as.
TEST_F(AppSettingsTest, ReadBackRulesPerType)
{
    const ReadBackCase cases[] = { { "windowBackgroundStyle", text("WALLPAPER"), text("transparent") },
        { "windowBackgroundStyle", text("wallpaper"), text("wallpaper") },
        { "windowBackgroundStyle", true, text("transparent") }, { "saveFormat", text("jpg"), text("png") },
        { "showAfterScreenshot", text("no"), true }, { "showAfterScreenshot", 0.0, false },
        { "showAfterScreenshot", 2.0, true }, { "launchAtStartup", text("YES"), true },
        { "launchAtStartup", text("1"), true }, { "scrollingScreenshotMaxHeight", -5.0, -5.0 },
        { "scrollingScreenshotMaxHeight", text("300"), 20000.0 }, { "screenshotsFolderPath", text(""), text("") },
        { "screenshotsFolderPath", 3.0, text("~/Pictures/Trovix") },
        { "captureAreaHotkey", text("19:6144:1"), text("19:6144") },
        { "captureAreaHotkey", text("-1:6144"), text("19:6144") },
        { "captureAreaHotkey", text("23::6144"), text("23:6144") }, { "captureAreaHotkey", text("0:0"), text("0:0") } };
    for (const ReadBackCase& testCase : cases) {
        SCOPED_TRACE(testing::Message() << testCase.key << ", row " << &testCase - cases);
        start({ { QLatin1String(testCase.key), testCase.stored } });
        touch();
        EXPECT_EQ(stored(testCase.key), testCase.readBack);
    }
}

TEST_F(AppSettingsTest, LoginItemFollowsLaunchAtStartupFromLoadOn)
{
    AppSettings& settings = start({ { "launchAtStartup", true } });
    EXPECT_EQ(m_loginItem.calls(), std::vector<bool>({ true }));

    settings.showAfterScreenshot.set(false);
    EXPECT_EQ(m_loginItem.calls().size(), 1u);
    settings.launchAtStartup.set(false);
    EXPECT_EQ(m_loginItem.calls(), std::vector<bool>({ true, false }));
    EXPECT_EQ(stored("launchAtStartup"), Value(false));
}

TEST_F(AppSettingsTest, AssignShortcutTakesItFromEveryOtherHolderAndTheMoveSurvivesARestart)
{
    AppSettings& settings = start({ { "recognizeTextHotkey", text("") } });
    settings.copyAfterScreenshot.set(true);
    EXPECT_TRUE(m_registrar.registrations().empty()) << "only shortcut changes register the set again";
    settings.setShortcut(controlOption5, HotkeyAction::showTrovix); // capturing the screen holds it too
    ASSERT_EQ(m_registrar.registrations().size(), 1u);
    EXPECT_EQ(m_registrar.registrations().back().size(), 7u) << "a cleared shortcut is not registered";
    const int writesBefore = m_store.writeCount();
    settings.assignShortcut(controlOption5, HotkeyAction::captureArea);

    EXPECT_EQ(settings.shortcut(HotkeyAction::captureScreen), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::showTrovix), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), controlOption5);
    EXPECT_EQ(stored("captureAreaHotkey"), text("23:6144"));
    EXPECT_EQ(stored("captureScreenHotkey"), text(""));
    // One write per change: clearing each other holder, then setting this one.
    EXPECT_EQ(m_store.writeCount() - writesBefore, 3);
    const HotkeyRegistrar::Shortcuts& registered = m_registrar.registrations().back();
    EXPECT_EQ(registered.count(HotkeyAction::captureScreen), 0u);
    EXPECT_EQ(registered.at(HotkeyAction::captureArea), controlOption5);

    // A differing modifier is a different shortcut.
    settings.assignShortcut({ 23, HotkeyKeys::controlModifier }, HotkeyAction::addCapture);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), controlOption5);

    AppSettings& reloaded = restart();
    EXPECT_EQ(reloaded.shortcut(HotkeyAction::captureScreen), std::nullopt);
    EXPECT_EQ(reloaded.shortcut(HotkeyAction::showTrovix), std::nullopt);
    EXPECT_EQ(reloaded.shortcut(HotkeyAction::captureArea), controlOption5);
}

} // namespace
