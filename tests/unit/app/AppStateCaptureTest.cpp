#include "AppStateCaptureFixture.h"

#include <QFile>

using namespace std::chrono_literals;

TEST_F(AppStateCaptureTest, PostCaptureStatusFollowsWhatWasCopiedAndSaved)
{
    struct Row {
        const char* name;
        bool copy;
        bool save;
        bool folderBroken;
        bool clipboardRefuses;
        QString status;
        bool error;
    };
    const Row rows[] = {
        { "nothing", false, false, false, false, QStringLiteral("Captured the current screen"), false },
        { "copy", true, false, false, false, QStringLiteral("Captured and copied to clipboard"), false },
        { "save", false, true, false, false, QStringLiteral("Captured and saved"), false },
        { "copy and save", true, true, false, false, QStringLiteral("Captured, copied, and saved"), false },
        { "save fails", false, true, true, false, QStringLiteral("Captured the current screen"), true },
        { "copy, save fails", true, true, true, false, QStringLiteral("Captured the current screen"), true },
        // A refused clipboard is not reported as a copy.
        { "clipboard refuses", true, false, false, true, QStringLiteral("Captured the current screen"), false },
        { "clipboard refuses, save", true, true, false, true, QStringLiteral("Captured and saved"), false },
    };
    // A folder below a plain file cannot be created.
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir saveFolder;
        settings.copyAfterScreenshot.set(row.copy);
        settings.saveAfterScreenshot.set(row.save);
        settings.screenshotsFolderPath.set(row.folderBroken ? blocker + QStringLiteral("/shots") : saveFolder.path());
        clipboard.provider.reset();
        clipboard.refuseImages = row.clipboardRefuses;
        state.errorMessage.set(std::nullopt);
        // The editor was visible before every time: only the setting decides whether it shows.
        const bool show = row.copy;
        settings.showAfterScreenshot.set(show);
        editor.visible = true;
        editor.broughtToFront = 0;
        workspace.policies.clear();

        runToCompletion(state.captureScreen());

        EXPECT_EQ(state.statusMessage(), row.status);
        EXPECT_EQ(state.errorMessage().has_value(), row.error);
        EXPECT_TRUE(isCapturedPicture(state.baseImage())) << "the image stays loaded";
        EXPECT_EQ(editor.visible, show);
        EXPECT_EQ(editor.broughtToFront, show ? 1 : 0);
        ASSERT_FALSE(workspace.policies.empty());
        EXPECT_EQ(workspace.policies.back(), show ? ActivationPolicy::regular : ActivationPolicy::accessory);
        EXPECT_EQ(clipboard.provider != nullptr, row.copy && !row.clipboardRefuses);
        if (clipboard.provider) {
            EXPECT_TRUE(isCapturedPicture(clipboard.provider->image())) << "the raw capture is copied";
        }
        const QStringList saved = QDir(saveFolder.path()).entryList({ QStringLiteral("*.png") }, QDir::Files);
        ASSERT_EQ(saved.size(), row.save && !row.folderBroken ? 1 : 0);
        if (!saved.isEmpty()) {
            EXPECT_TRUE(isCapturedPicture(Image(QImage(saveFolder.filePath(saved.front())))));
        }
    }
}

TEST_F(AppStateCaptureTest, RequestsDuringACaptureAreRefusedWithoutTouchingIt)
{
    state.isCaptureTransitionActive.set(true);
    const std::pair<const char*, std::function<QCoro::Task<>()>> requests[] = {
        { "screen", [this] { return state.captureScreen(); } },
        { "area", [this] { return state.captureArea(); } },
        { "active window", [this] { return state.captureActiveWindow(); } },
        { "any window", [this] { return state.captureAnyWindow(); } },
        { "add to canvas", [this] { return state.addAreaCaptureToCanvas(); } },
        { "delayed", [this] { return state.captureAfterDelay(1); } },
        { "scrolling", [this] { return state.startScrollingCapture(ScrollingCaptureDirection::down); } },
    };
    for (const auto& [name, request] : requests) {
        SCOPED_TRACE(name);
        state.statusMessage.set(QStringLiteral("before"));
        runToCompletion(request());
        EXPECT_EQ(state.statusMessage(), QStringLiteral("Capture is already in progress"));
        EXPECT_TRUE(state.isCaptureTransitionActive()) << "only the running capture may clear the guard";
    }
    EXPECT_TRUE(tool.runs.isEmpty());
    EXPECT_TRUE(areaSelection.screensOffered.isEmpty());
    EXPECT_TRUE(applicationWindows.calls.isEmpty());
}

TEST_F(AppStateCaptureTest, OurWindowsBelowTheStatusLevelAreHiddenWhileTheUserSelects)
{
    editor.visible = true;
    showPinnedWindow();
    QList<ApplicationWindow> duringSelection;
    std::set<std::uintptr_t> ignoringDuringSelection;
    bool guardDuringSelection = false;
    areaSelection.onSelect = [&] {
        duringSelection = applicationWindows.windows();
        ignoringDuringSelection = applicationWindows.ignoringMouse;
        guardDuringSelection = state.isCaptureTransitionActive();
    };

    runToCompletion(state.captureArea());

    ASSERT_EQ(duringSelection.size(), 4);
    EXPECT_FALSE(duringSelection.at(0).isVisible) << "editor";
    EXPECT_FALSE(duringSelection.at(1).isVisible) << "pinned window";
    EXPECT_TRUE(duringSelection.at(2).isVisible) << "a window without a title stays";
    EXPECT_TRUE(duringSelection.at(3).isVisible) << "a status-level panel stays";
    EXPECT_EQ(ignoringDuringSelection, (std::set<std::uintptr_t> { editorId, pinnedId }));
    EXPECT_TRUE(guardDuringSelection);
    EXPECT_EQ(areaSelection.screensPrepared, areaSelection.screensOffered) << "its window readied while it settles";

    EXPECT_TRUE(applicationWindows.ignoringMouse.empty()) << "every window takes clicks again";
    EXPECT_TRUE(applicationWindows.isVisible(pinnedId));
    EXPECT_EQ(applicationWindows.calls.filter(QStringLiteral("front")), QStringList { QStringLiteral("front 2") })
        << "the editor is never ordered front";
}

TEST_F(AppStateCaptureTest, CancellingBringsTheEditorBackOnlyIfItWasVisible)
{
    struct Request {
        const char* name;
        std::function<QCoro::Task<>()> start;
        QString cancelled;
    };
    const Request requests[] = {
        { "area", [this] { return state.captureArea(); }, QStringLiteral("Area capture cancelled") },
        { "any window", [this] { return state.captureAnyWindow(); }, QStringLiteral("Any window capture cancelled") },
        { "add to canvas", [this] { return state.addAreaCaptureToCanvas(); }, QStringLiteral("Add capture cancelled") },
        { "scrolling", [this] { return state.startScrollingCapture(ScrollingCaptureDirection::down); },
            QStringLiteral("Scrolling capture cancelled") },
    };
    areaSelection.answer = std::nullopt;
    windowSelection.choice = std::nullopt;
    WindowListEntry other;
    other.number = 77;
    other.frame = QRectF(0, 0, 400, 300);
    other.ownerName = QStringLiteral("Browser");
    windowList.entries = { other };
    settings.showAfterScreenshot.set(true);

    for (const Request& request : requests) {
        for (const bool visibleBefore : { false, true }) {
            SCOPED_TRACE(testing::Message() << request.name << ", visible before " << visibleBefore);
            editor.visible = visibleBefore;
            showPinnedWindow();
            applicationWindows.calls.clear();

            runToCompletion(request.start());

            EXPECT_EQ(state.statusMessage(), request.cancelled);
            EXPECT_EQ(editor.visible, visibleBefore);
            EXPECT_TRUE(applicationWindows.isVisible(pinnedId));
            EXPECT_TRUE(applicationWindows.ignoringMouse.empty());
            EXPECT_FALSE(state.isCaptureTransitionActive());
            EXPECT_FALSE(state.errorMessage());
        }
    }
    EXPECT_TRUE(tool.runs.isEmpty());
    EXPECT_FALSE(state.baseImage());
}

TEST_F(AppStateCaptureTest, WaitsLongerWhenWindowsWereHiddenAndPreparesEveryScreensPictureMeanwhile)
{
    struct Row {
        const char* name;
        bool editorVisible;
        std::function<QCoro::Task<>()> start;
        QList<std::chrono::milliseconds> sleeps;
    };
    const Row rows[] = {
        { "screen, nothing visible", false, [this] { return state.captureScreen(); }, { 70ms } },
        { "screen, editor visible", true, [this] { return state.captureScreen(); }, { 140ms } },
        // The area is cut from the picture taken before the overlay showed: no pause after it.
        { "area, editor visible", true, [this] { return state.captureArea(); }, { 140ms } },
        { "three seconds later", false, [this] { return state.captureAfterDelay(3.0); }, { 3000ms, 70ms } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        editor.visible = row.editorVisible;
        clock.sleeps.clear();
        screenFreeze.preparations.clear();
        runToCompletion(row.start());
        EXPECT_EQ(clock.sleeps, row.sleeps);
        EXPECT_EQ(screenFreeze.preparations, QList<QList<Screen>> { screens.screenList });
        EXPECT_EQ(screenFreeze.preparedBeforeFreeze, 1);
    }
}

TEST_F(AppStateCaptureTest, DelayedCaptureAnnouncesTheWholeSecondsFirst)
{
    QStringList statuses;
    QObject context;
    QObject::connect(
        &state.statusMessage, &ObservableNotifier::changed, &context, [&] { statuses.append(state.statusMessage()); });
    runToCompletion(state.captureAfterDelay(2.9));
    runToCompletion(state.captureAfterDelay(-5));
    EXPECT_EQ(statuses.front(), QStringLiteral("Capturing in 2 seconds..."));
    EXPECT_EQ(statuses.filter(QStringLiteral("Capturing in")),
        (QStringList { QStringLiteral("Capturing in 2 seconds..."), QStringLiteral("Capturing in 0 seconds...") }));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured the current screen"));
}

TEST_F(AppStateCaptureTest, WindowCapturesTakeTheApplicationWeCameFromOrThePickedWindow)
{
    WindowListEntry mine;
    mine.number = 11;
    mine.ownerPID = 50;
    mine.frame = QRectF(0, 0, 300, 200);
    windowList.entries = { mine };
    state.setLastExternalApp(RunningApplication { 50, QStringLiteral("editor"), QStringLiteral("Editor") });
    runToCompletion(state.captureActiveWindow());
    EXPECT_EQ(state.captureTargetApplicationPID(), 50);
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured active window"));

    windowSelection.choice = CapturableWindow { 11, std::nullopt, QStringLiteral("App"), {}, QRectF(0, 0, 300, 200) };
    runToCompletion(state.captureAnyWindow());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured selected window"));
    ASSERT_EQ(windowSelection.screensShown.size(), 1);
    EXPECT_EQ(windowSelection.screensShown.front().size(), 2) << "the picker covers a picture of every screen";
    const QStringList windowEleven { QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"),
        QStringLiteral("png"), QStringLiteral("-l11") };
    EXPECT_EQ(tool.runs, (QList<QStringList> { windowEleven, windowEleven }));
}
