#include "ui/settings/SettingsWindowController.h"
#include "app/AppSettings.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/InMemoryDefaultsStore.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/settings/ShortcutRecorder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>

namespace {

class SettingsWindowControllerTest : public testing::Test {
protected:
    InMemoryDefaultsStore store;
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar registrar;
    AppSettings settings { store, loginItem, registrar };
    FakeDialogs dialogs;
    int uploads = 0;
    SettingsWindowController controller { settings, registrar, dialogs, [this] { ++uploads; } };
};

TEST_F(SettingsWindowControllerTest, ShowingTwiceBringsTheSameWindowBackAndClosingForgetsIt)
{
    EXPECT_EQ(controller.window(), nullptr);
    controller.show();
    SettingsWindow* first = controller.window();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    settings.uploadMode.set(UploadMode::customServer);
    first->findChild<QAbstractButton*>(QStringLiteral("uploadCurrentImage"))->click();
    EXPECT_EQ(uploads, 1) << "through the given callback";

    first->showMinimized();
    controller.show();
    EXPECT_EQ(controller.window(), first);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_TRUE(first->isVisible());

    // Closing forgets the window; the next one starts fresh.
    first->setSelection(SettingsTab::hotkeys);
    first->recorder().startRecording(HotkeyAction::captureArea);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(controller.window(), nullptr);

    controller.show();
    ASSERT_NE(controller.window(), nullptr);
    EXPECT_EQ(controller.window()->selection(), SettingsTab::general);
    EXPECT_EQ(controller.window()->recorder().recordingAction(), std::nullopt);
    EXPECT_EQ(settings.shortcut(HotkeyAction::captureArea), HotkeyActions::defaultShortcut(HotkeyAction::captureArea));
}

} // namespace
