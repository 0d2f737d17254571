#include "FileHelpers.h"
#include "app/AppSettings.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "platform/qt/JsonDefaultsStore.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

// The settings and their file together: what a user's hand-edited file reads
// as, that starting never touches it, and the JSON types the first change writes.
TEST(AppSettingsFile, HandEditedFileReadsByTypeAndIsRewrittenOnlyOnChange)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("settings.json"));
    const QByteArray handEdited = R"({
        "showAfterScreenshot": "no",
        "copyAfterScreenshot": true,
        "scrollingScreenshotMaxHeight": -5,
        "windowBackgroundStyle": "wallpaper",
        "captureScreenHotkey": "",
        "captureAreaHotkey": "19:6144:1",
        "somethingElse": {"kept": true}
    })";
    ASSERT_TRUE(writeFile(path, handEdited));
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar registrar;
    JsonDefaultsStore store(path);
    AppSettings settings(store, loginItem, registrar);

    EXPECT_EQ(contents(path), handEdited);
    EXPECT_TRUE(settings.showAfterScreenshot());
    EXPECT_TRUE(settings.copyAfterScreenshot());
    EXPECT_EQ(settings.scrollingScreenshotMaxHeight(), -5.0);
    EXPECT_EQ(settings.windowBackgroundStyle(), WindowBackgroundStyle::wallpaper);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureScreen), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), HotkeyActions::defaultShortcut(HotkeyAction::captureArea));

    settings.saveFormat.set(SaveFormat::automatic);
    const QJsonObject written = QJsonDocument::fromJson(contents(path)).object();
    EXPECT_EQ(written.size(), 37 + 1);
    EXPECT_EQ(written.value(QStringLiteral("showAfterScreenshot")), QJsonValue(true));
    EXPECT_EQ(written.value(QStringLiteral("scrollingScreenshotMaxHeight")), QJsonValue(-5.0));
    EXPECT_EQ(written.value(QStringLiteral("saveFormat")), QJsonValue(QStringLiteral("auto")));
    EXPECT_EQ(written.value(QStringLiteral("captureScreenHotkey")), QJsonValue(QString()));
    EXPECT_EQ(written.value(QStringLiteral("captureAreaHotkey")), QJsonValue(QStringLiteral("19:6144")));
    EXPECT_TRUE(written.value(QStringLiteral("somethingElse")).isObject());
}

} // namespace
