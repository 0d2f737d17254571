#include "AppStateCaptureFixture.h"

#include "domain/ScrollingCaptureAutomationError.h"
#include "fakes/FakeScrollingPage.h"
#include "unit/engine/StitchTestPages.h"

using Direction = ScrollingCaptureDirection;
using Decision = ScrollingCaptureDecision;

namespace {

const RunningApplication browser { 4242, QStringLiteral("Browser"), QStringLiteral("Browser") };

} // namespace

class AppStateScrollingTest : public AppStateCaptureTest {
protected:
    AppStateScrollingTest()
    {
        workspace.frontmost = browser;
        QObject::connect(
            &state.statusMessage, &ObservableNotifier::changed, [this] { statuses.append(state.statusMessage()); });
    }

    void useMode(ScrollingCaptureMode mode) { settings.scrollingCaptureMode.set(mode); }

    // Shots come from a page that the synthetic input scrolls, half a viewport per key.
    void scrollPage()
    {
        page = std::make_unique<FakeScrollingPage>(StitchTestPages::Page(400, 1200, 1, 3).pixels(), 300, 150);
        inputSynthesis.forwardTo = page.get();
        tool.failure = [this] { tool.output = ImageIOService::pngData(page->rows(page->offset)); };
    }

    [[nodiscard]] bool showsPage(const std::optional<Image>& image) const
    {
        return image
            && image->pixels().convertToFormat(QImage::Format_RGB32)
            == page->page().convertToFormat(QImage::Format_RGB32);
    }

    [[nodiscard]] int targetActivations() const
    {
        return static_cast<int>(
            std::count(workspace.activatedOthers.cbegin(), workspace.activatedOthers.cend(), browser));
    }

    QStringList statuses;
    std::unique_ptr<FakeScrollingPage> page;
};

TEST_F(AppStateScrollingTest, ManualStepsCountTheSegmentsAndFocusTheTargetBeforeEachShot)
{
    for (const Direction direction : { Direction::down, Direction::up }) {
        SCOPED_TRACE(direction == Direction::down ? "down" : "up");
        scrollPage();
        useMode(ScrollingCaptureMode::manual);
        statuses.clear();
        workspace.activatedOthers.clear();
        page->offset = direction == Direction::down ? 0 : page->lastOffset();
        // The user scrolls by hand between the prompts.
        scrollingPanels.decisions = QList<Decision>(6, Decision::captureNext) << Decision::finish;
        tool.failure = [&] {
            tool.output = ImageIOService::pngData(page->rows(page->offset));
            page->pressPageKey(direction);
        };
        runToCompletion(state.startScrollingCapture(direction));

        EXPECT_EQ(
            scrollingPanels.promptSteps.mid(scrollingPanels.promptSteps.size() - 7), (QList { 2, 3, 4, 5, 6, 7, 8 }));
        const QStringList segments = statuses.filter(QStringLiteral("Captured scrolling segment"));
        EXPECT_EQ(segments.size(), 6);
        EXPECT_EQ(segments.value(0), QStringLiteral("Captured scrolling segment 2"));
        EXPECT_EQ(segments.value(5), QStringLiteral("Captured scrolling segment 7"));
        EXPECT_EQ(targetActivations(), 7);
        EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured scrolling screenshot"));
        EXPECT_TRUE(showsPage(state.baseImage())) << "the shots read top to bottom either way";
    }
}

TEST_F(AppStateScrollingTest, ManualFailedShotEndsTheRunAndTakesThePromptAlong)
{
    useMode(ScrollingCaptureMode::manual);
    scrollingPanels.decisions = { Decision::captureNext };
    tool.failure = [this] {
        if (tool.runs.size() > 1)
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
    };
    runToCompletion(state.startScrollingCapture(Direction::down));
    EXPECT_EQ(state.errorMessage(), ScreenshotError::descriptionFor(ScreenshotError::Code::captureFailed));
    EXPECT_EQ(scrollingPanels.livePrompts, 0) << "the prompt goes with the failed run";
    // After the selection, before the shot, and once more to hand the screen back.
    EXPECT_EQ(targetActivations(), 3);
    EXPECT_FALSE(state.isCaptureTransitionActive());
}

// Every automatic run ends with its HUD closed and the target given the screen back.
TEST_F(AppStateScrollingTest, AutomaticOutcomesBecomeTheirStatusOrError)
{
    useMode(ScrollingCaptureMode::automatic);
    const struct {
        const char* name;
        bool scrolls;
        bool stop;
        double maxHeight;
        QString status;
        std::optional<QString> error = std::nullopt;
        bool inputFails = false;
    } cases[] = {
        { "nothing moves", false, false, 20000, QStringLiteral("Auto-scroll could not continue") },
        { "user stops", true, true, 20000, QStringLiteral("Stopped automatic scrolling") },
        { "height reached", true, false, 500, QStringLiteral("Scrolling capture reached the configured max height") },
        { "input refused", true, false, 20000, QStringLiteral("before"),
            ScrollingCaptureAutomationError::descriptionFor(
                ScrollingCaptureAutomationError::Code::unableToSendScrollCommand),
            true },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        scrollPage();
        page->keysScroll = page->wheelScrolls = testCase.scrolls;
        inputSynthesis.fails = testCase.inputFails;
        scrollingPanels.stopRequested = testCase.stop;
        workspace.activatedOthers.clear();
        state.errorMessage.set(std::nullopt);
        state.statusMessage.set(QStringLiteral("before"));
        settings.scrollingScreenshotMaxHeight.set(testCase.maxHeight);
        runToCompletion(state.startScrollingCapture(Direction::down));

        EXPECT_EQ(state.statusMessage(), testCase.status);
        EXPECT_EQ(state.errorMessage(), testCase.error);
        if (!testCase.error) {
            EXPECT_TRUE(state.baseImage());
        }
        EXPECT_EQ(scrollingPanels.hudCalls.last(), QStringLiteral("out"));
        EXPECT_GE(targetActivations(), testCase.error ? 2 : 1) << "a failed run gives the target the screen back";
        EXPECT_FALSE(state.isCaptureTransitionActive());
    }
}

TEST_F(AppStateScrollingTest, TerminalsAreScrolledWithTheWheelAndNeverTypedInto)
{
    useMode(ScrollingCaptureMode::automatic);
    // X11 gives xterm's class as "XTerm".
    const struct {
        const char* applicationId;
        bool getsPageKeys;
    } cases[] = { { "XTerm", false }, { "Browser", true } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.applicationId);
        const QString id = QString::fromLatin1(testCase.applicationId);
        workspace.frontmost = RunningApplication { 77, id, id };
        scrollPage();
        runToCompletion(state.startScrollingCapture(Direction::down));
        EXPECT_EQ(state.statusMessage(), QStringLiteral("Scrolling capture completed"));
        const bool pageKeys = std::ranges::any_of(
            page->inputs, [](const auto& sent) { return sent.input == FakeScrollingPage::Input::pageKey; });
        EXPECT_EQ(pageKeys, testCase.getsPageKeys);
    }
}

TEST_F(AppStateScrollingTest, AutomaticModeWithoutAnyInputSaysWhyBeforeTheSelection)
{
    inputSynthesis.reason = QStringLiteral("needs an X11 session");
    useMode(ScrollingCaptureMode::automatic);
    runToCompletion(state.startScrollingCapture(Direction::down));
    EXPECT_EQ(state.errorMessage(), QStringLiteral("needs an X11 session"));
    EXPECT_TRUE(areaSelection.screensOffered.isEmpty());
    EXPECT_FALSE(state.isCaptureTransitionActive());

    // The manual mode needs no synthetic input.
    state.errorMessage.set(std::nullopt);
    useMode(ScrollingCaptureMode::manual);
    runToCompletion(state.startScrollingCapture(Direction::down));
    EXPECT_EQ(areaSelection.screensOffered.size(), 1);
    EXPECT_EQ(state.errorMessage(), std::nullopt);
}
