#include "ui/settings/SettingsWindowController.h"
#include "SettingsWindowFixture.h"
#include "ui/settings/ShortcutRecorder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>

namespace {

// The fixture's own window stays unused: the controller makes the windows here.
class SettingsWindowControllerTest : public SettingsWindowFixture {
protected:
    int uploads = 0;
    SettingsWindowController controller { settings, registrar, dialogs, [this] { ++uploads; } };
};

TEST_F(SettingsWindowControllerTest, ShowingTwiceBringsTheSameWindowBackAndClosingForgetsIt)
{
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
