#include "app/AppSettings.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "platform/qt/JsonDefaultsStore.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/settings/ShortcutField.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QJsonObject settingsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The whole road on a real display: a click and a recorded shortcut in the shown
// window land in the settings file in their JSON types, and a second start reads them.
TEST(SettingsWindowFile, ControlChangesLandInTheSettingsFile)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("trovix/settings.json"));
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar registrar;
    FakeDialogs dialogs;
    {
        JsonDefaultsStore store(path);
        AppSettings settings(store, loginItem, registrar);
        SettingsWindow window(settings, registrar, dialogs, [] {});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_FALSE(QFile::exists(path)) << "showing the window wrote the file";

        window.setSelection(SettingsTab::advanced);
        window.findChild<QCheckBox*>(QStringLiteral("hideMenubarIcon"))->click();
        EXPECT_EQ(settingsFile(path).value(QStringLiteral("hideMenubarIcon")), QJsonValue(true));

        window.setSelection(SettingsTab::hotkeys);
        window.findChild<ShortcutField*>(QStringLiteral("captureAreaHotkey"))
            ->findChild<QPushButton*>(QStringLiteral("record"))
            ->click();
        QTest::keyClick(&window, Qt::Key_5, Qt::ControlModifier | Qt::AltModifier);
        const QJsonObject written = settingsFile(path);
        EXPECT_EQ(written.value(QStringLiteral("captureAreaHotkey")), QJsonValue(QStringLiteral("23:6144")));
        EXPECT_EQ(written.value(QStringLiteral("captureScreenHotkey")), QJsonValue(QString()));
        EXPECT_EQ(written.value(QStringLiteral("scrollingScreenshotSpeed")), QJsonValue(0.65));
    }
    JsonDefaultsStore reopened(path);
    AppSettings restarted(reopened, loginItem, registrar);
    EXPECT_TRUE(restarted.hideMenubarIcon());
    EXPECT_EQ(restarted.shortcut(HotkeyAction::captureArea), (HotkeyShortcut { 23, 0x1800 }));
    EXPECT_EQ(restarted.shortcut(HotkeyAction::captureScreen), std::nullopt);
}

} // namespace
