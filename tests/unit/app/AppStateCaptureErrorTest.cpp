#include "AppStateCaptureFixture.h"

#include "domain/PlatformError.h"

using namespace std::chrono_literals;

namespace {

const QString firstAlertMessage = QStringLiteral("Trovix needs Screen Recording access");
const QString secondAlertMessage = QStringLiteral("Restart Trovix to finish enabling Screen Recording");

} // namespace

TEST_F(AppStateCaptureTest, CaptureFailuresShowTheirDescriptionAndBringTheWindowsBack)
{
    const std::pair<std::function<void()>, QString> failures[] = {
        { [] { throw ScreenshotError(ScreenshotError::Code::captureFailed); },
            ScreenshotError::descriptionFor(ScreenshotError::Code::captureFailed) },
        { [] { throw PlatformError(QStringLiteral("No such file or directory")); },
            QStringLiteral("No such file or directory") },
    };
    settings.showAfterScreenshot.set(true);
    for (const auto& [failure, expected] : failures) {
        SCOPED_TRACE(expected.toStdString());
        screenFreeze.failure = failure;
        editor.visible = true;
        state.statusMessage.set(QStringLiteral("before"));

        runToCompletion(state.captureArea());

        EXPECT_EQ(state.errorMessage(), expected);
        EXPECT_EQ(state.statusMessage(), QStringLiteral("before"));
        EXPECT_TRUE(editor.visible) << "the editor was visible, so it comes back";
        EXPECT_TRUE(applicationWindows.ignoringMouse.empty());
        EXPECT_FALSE(state.isCaptureTransitionActive());
        EXPECT_TRUE(dialogs.alerts.empty());
    }
}

TEST_F(AppStateCaptureTest, MissingPermissionOffersTheSettingsAsksForTheRestartOnceOnReturnAndRestartsOnRequest)
{
    permission.granted = false;
    runToCompletion(state.captureScreen());

    EXPECT_EQ(state.statusMessage(), QStringLiteral("Screen Recording needs a full Trovix restart"));
    EXPECT_FALSE(state.errorMessage());
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts.front().messageText, firstAlertMessage);
    EXPECT_EQ(dialogs.alerts.front().buttons,
        QStringList(
            { QStringLiteral("Quit and Reopen"), QStringLiteral("Open System Settings"), QStringLiteral("Later") }));
    // "Later" was chosen: nothing else happens, and coming back asks nothing.
    EXPECT_EQ(workspace.settingsOpened, 0);
    state.handleApplicationDidBecomeActive();
    EXPECT_EQ(dialogs.alerts.size(), 1u);

    dialogs.alertAnswers = { 1 };
    runToCompletion(state.captureScreen());
    EXPECT_EQ(workspace.settingsOpened, 1);
    EXPECT_TRUE(state.shouldPromptForScreenRecordingRestart());

    state.handleApplicationDidBecomeActive();
    ASSERT_EQ(dialogs.alerts.size(), 3u);
    const FakeDialogs::Alert& restart = dialogs.alerts.back();
    EXPECT_EQ(restart.messageText, secondAlertMessage);
    EXPECT_EQ(restart.buttons, QStringList({ QStringLiteral("Quit and Reopen"), QStringLiteral("Later") }));
    EXPECT_FALSE(state.shouldPromptForScreenRecordingRestart());

    state.handleApplicationDidBecomeActive();
    EXPECT_EQ(dialogs.alerts.size(), 3u);
    EXPECT_EQ(workspace.launches, 0) << "Later restarts nothing";

    // Quit and Reopen starts a new instance before ending this one; without it this one keeps running.
    dialogs.alertAnswers = { 0 };
    state.presentScreenRecordingRestartAlert(secondAlertMessage, QString(), false);
    EXPECT_EQ(workspace.launches, 1);
    EXPECT_EQ(workspace.terminations, 1);
    workspace.launchFailure = QStringLiteral("Permission denied");
    dialogs.alertAnswers = { 0 };
    state.presentScreenRecordingRestartAlert(secondAlertMessage, QString(), false);
    EXPECT_EQ(workspace.launches, 2);
    EXPECT_EQ(workspace.terminations, 1);
    EXPECT_EQ(state.errorMessage(), QStringLiteral("Permission denied"));
}

TEST_F(AppStateCaptureTest, StackedCapturesGoUnderTheImageAndAlwaysShowTheEditor)
{
    settings.copyAfterScreenshot.set(true);
    settings.saveAfterScreenshot.set(true);

    runToCompletion(state.addAreaCaptureToCanvas());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Added first capture"));
    EXPECT_TRUE(editor.visible) << "shown although the settings say not to";
    ASSERT_TRUE(state.baseImage());
    const QSizeF first = state.baseImage()->size();

    drag(AnnotationTool::rectangle, { 3, 3 }, { 30, 20 });
    runToCompletion(state.addAreaCaptureToCanvas());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Added capture to canvas"));
    EXPECT_TRUE(state.annotations().empty()) << "the annotations are part of the stacked pixels";
    EXPECT_GT(state.baseImage()->size().height(), first.height() + capturedPicture.size().height());

    EXPECT_FALSE(clipboard.provider) << "no post-capture actions for a stacked capture";
    EXPECT_TRUE(QDir(folder.path()).entryList({ QStringLiteral("*.png") }, QDir::Files).isEmpty());
}

TEST_F(AppStateCaptureTest, BackendThatLeavesOurWindowsOutCapturesTheScreenWithoutHiding)
{
    displayCapture.excludes = true;
    editor.visible = true;
    settings.showAfterScreenshot.set(false);

    runToCompletion(state.captureScreen());

    EXPECT_TRUE(applicationWindows.calls.isEmpty()) << "nothing was hidden";
    EXPECT_TRUE(clock.sleeps.isEmpty());
    ASSERT_EQ(displayCapture.captures.size(), 1);
    EXPECT_EQ(displayCapture.captures.front().second, mainScreen.frame);
    EXPECT_TRUE(tool.runs.isEmpty());
}
