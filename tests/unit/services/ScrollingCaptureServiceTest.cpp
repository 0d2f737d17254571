#include "services/ScrollingCaptureService.h"

#include "domain/ScreenshotError.h"
#include "domain/ScrollingCaptureAutomationError.h"
#include "engine/ImageCompositionService.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeScrollingPage.h"
#include "fakes/TaskRunner.h"
#include "unit/engine/StitchTestPages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using std::chrono::milliseconds;
using Direction = ScrollingCaptureDirection;
using Outcome = ScrollingCaptureOutcome;
using Input = FakeScrollingPage::Input;

constexpr int pageWidth = 400;
constexpr int pageHeight = 2600;

const QImage& testPage()
{
    static const QImage page = StitchTestPages::Page(pageWidth, pageHeight, 1, 11).pixels();
    return page;
}

// The overlap search needs at least 24 signature rows of overlap (about 100 points of a shot
// 400 points wide), so the page key of these pages scrolls half a viewport.
constexpr int viewport = 300;
constexpr int halfViewport = 150;

// Passes when two images agree row for row; names the first row that differs otherwise.
testing::AssertionResult sameRows(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "height " << actual.height() << ", expected " << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage b = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 4) != 0)
            return testing::AssertionFailure() << "row " << y << " differs";
    }
    return testing::AssertionSuccess();
}

class ScrollingCaptureServiceTest : public testing::Test {
protected:
    void usePage(int viewportHeight, int pageKeyStep, int wheelStep = 720)
    {
        page = std::make_unique<FakeScrollingPage>(testPage(), viewportHeight, pageKeyStep, wheelStep);
        selection = { Screen(), QRectF(0, 0, pageWidth, viewportHeight) };
    }

    ScrollingCaptureService service()
    {
        return ScrollingCaptureService({ [this](ScreenCaptureSelection s) { return page->capture(s); }, *page, clock });
    }

    ScrollingCaptureRunResult run(Direction direction, ScrollingCaptureService::Settings settings = {})
    {
        ScrollingCaptureService::Callbacks callbacks {
            [this] { ++reactivations; },
            [this](const ScrollingCaptureProgress& progress) {
                reports.append(progress);
                if (stopAtSegmentCount && progress.segmentCount >= *stopAtSegmentCount)
                    stopRequested = true;
            },
            [this] { return stopRequested; },
        };
        ScrollingCaptureService scrolling = service();
        return runToCompletion(scrolling.autoCapture(selection, direction, settings, std::move(callbacks)));
    }

    [[nodiscard]] QStringList details() const
    {
        QStringList texts;
        for (const ScrollingCaptureProgress& report : reports)
            texts.append(report.detail);
        return texts;
    }

    std::unique_ptr<FakeScrollingPage> page;
    ScreenCaptureSelection selection;
    FakeClock clock;
    QList<ScrollingCaptureProgress> reports;
    int reactivations = 0;
    bool stopRequested = false;
    std::optional<int> stopAtSegmentCount;
};

TEST_F(ScrollingCaptureServiceTest, PauseShrinksWithSpeedBetweenItsLimits)
{
    const struct {
        double speed;
        milliseconds pause;
    } cases[] = { { -1, milliseconds(812) }, { 0.1, milliseconds(812) }, { 0.11, milliseconds(807) },
        { 0.5, milliseconds(620) }, { 1.0, milliseconds(380) }, { std::nan(""), milliseconds(812) } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.speed);
        EXPECT_EQ(ScrollingCaptureService::capturePause(testCase.speed), testCase.pause);
    }
}

// Sixteen steps reach the last offset (2300) from either end; two more find nothing new.
TEST_F(ScrollingCaptureServiceTest, ScrollingToTheEndEitherWayStitchesThePageRowForRowTopFirst)
{
    for (const Direction direction : { Direction::down, Direction::up }) {
        SCOPED_TRACE(direction == Direction::down ? "down" : "up");
        usePage(viewport, halfViewport);
        reports.clear();
        reactivations = 0;
        if (direction == Direction::up)
            page->offset = page->lastOffset();
        const ScrollingCaptureRunResult result = run(direction);

        EXPECT_EQ(result.outcome, Outcome::completed);
        ASSERT_EQ(result.captures.size(), 17u);
        EXPECT_EQ(result.captures.front(), page->rows(0));
        // At the end the key moves nothing, so the one look more is taken after the wheel.
        QList<FakeScrollingPage::SentInput> expected(17, FakeScrollingPage::SentInput { Input::pageKey, direction });
        expected.append({ Input::wheel, direction });
        EXPECT_EQ(page->inputs, expected);
        EXPECT_EQ(reactivations, 18);
        const std::optional<Image> stitched = ImageCompositionService::stitchVertically(result.captures);
        ASSERT_TRUE(stitched);
        EXPECT_TRUE(sameRows(stitched->pixels(), testPage()));
    }
    EXPECT_EQ(reports.first().title, QStringLiteral("Scrolling Capture (Up)"));
}

TEST_F(ScrollingCaptureServiceTest, ProgressReportsNameEachStepAndCountTheShots)
{
    usePage(viewport, halfViewport);
    page->offset = page->lastOffset() - halfViewport;
    run(Direction::down);

    const QStringList expected {
        QStringLiteral("Captured first segment. Auto-scrolling now..."),
        QStringLiteral("Scrolling the target and checking for new content..."),
        QStringLiteral("Captured segment 2. Continuing automatically..."),
        QStringLiteral("Scrolling the target and checking for new content..."),
        QStringLiteral("No new content detected. Finishing if the page is already at the end..."),
        QStringLiteral("Scrolling the target and checking for new content..."),
        QStringLiteral("No new content detected. Finishing if the page is already at the end..."),
    };
    EXPECT_EQ(details(), expected);
    const QList<int> counts { 1, 1, 2, 2, 2, 2, 2 };
    for (qsizetype i = 0; i < reports.size() && i < counts.size(); ++i) {
        EXPECT_EQ(reports.at(i).segmentCount, counts.at(i)) << "report " << i;
        EXPECT_EQ(reports.at(i).title, QStringLiteral("Scrolling Capture"));
    }
}

TEST_F(ScrollingCaptureServiceTest, PageThatCannotScrollEndsAfterOneKeyAndThreeWheelStepsWithOneShot)
{
    usePage(viewport, halfViewport);
    page->keysScroll = false;
    page->wheelScrolls = false;
    const ScrollingCaptureRunResult result = run(Direction::down, { .maxHeight = 100000, .speed = 0 });

    EXPECT_EQ(result.outcome, Outcome::couldNotContinue);
    ASSERT_EQ(result.captures.size(), 1u);
    // The key that did nothing is not sent again: it may have been typed into the target.
    const QList<FakeScrollingPage::SentInput> expected { { Input::pageKey, Direction::down },
        { Input::wheel, Direction::down }, { Input::wheel, Direction::down }, { Input::wheel, Direction::down } };
    EXPECT_EQ(page->inputs, expected);
    const QString notMoved = QStringLiteral("Auto-scroll did not move yet. Retrying automatically...");
    EXPECT_EQ(details().count(notMoved), 3);
    EXPECT_EQ(details().count(QStringLiteral("Trying a more direct scroll input for the first automatic step...")), 1);
}

TEST_F(ScrollingCaptureServiceTest, WaitsFollowTheSpeedAndTheWheelWaitsAtLeast420Milliseconds)
{
    const struct {
        double speed;
        milliseconds keyPause;
        milliseconds wheelPause;
    } cases[] = { { 0, milliseconds(812), milliseconds(812) }, { 2, milliseconds(380), milliseconds(420) },
        { 0.65, milliseconds(548), milliseconds(548) } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.speed);
        usePage(viewport, halfViewport);
        page->keysScroll = false;
        page->wheelScrolls = false;
        clock.sleeps.clear();
        run(Direction::down, { .maxHeight = 100000, .speed = testCase.speed });

        // First round: before the key, after it, settling; before the wheel, after it, settling.
        // Then the wheel alone. The last look at the page settles once more.
        const QList<milliseconds> wheelRound { milliseconds(120), testCase.wheelPause, milliseconds(150) };
        QList<milliseconds> expected { milliseconds(120), testCase.keyPause, milliseconds(150), milliseconds(80),
            testCase.wheelPause, milliseconds(150) };
        expected += wheelRound + wheelRound;
        expected.append(milliseconds(150));
        EXPECT_EQ(clock.sleeps, expected);
    }
}

// A terminal types the page keys it is sent; they must never reach it. A target that did not
// move on a key gets the wheel from then on, and a known terminal never gets a key.
TEST_F(ScrollingCaptureServiceTest, KeysStopOnceOneDidNotMoveThePageAndTerminalsGetNone)
{
    for (const bool wheelOnly : { false, true }) {
        SCOPED_TRACE(wheelOnly ? "terminal" : "key ignored");
        usePage(viewport, halfViewport, halfViewport);
        page->keysScroll = false;
        reports.clear();
        const ScrollingCaptureRunResult result = run(Direction::down, { .wheelOnly = wheelOnly });

        EXPECT_EQ(result.outcome, Outcome::completed);
        const std::optional<Image> stitched = ImageCompositionService::stitchVertically(result.captures);
        ASSERT_TRUE(stitched);
        EXPECT_TRUE(sameRows(stitched->pixels(), testPage()));
        EXPECT_EQ(page->inputs.count({ Input::pageKey, Direction::down }), wheelOnly ? 0 : 1);
        EXPECT_EQ(page->inputs.front().input, wheelOnly ? Input::wheel : Input::pageKey);
        EXPECT_TRUE(details().contains(QStringLiteral("Captured segment 2. Continuing automatically...")));
    }
}

TEST_F(ScrollingCaptureServiceTest, MaximumHeightAndStepBudgetEndTheRun)
{
    const struct {
        const char* name;
        int viewport;
        int keyStep;
        double selectionHeight;
        double maxHeight;
        std::size_t shots;
        qsizetype inputs;
    } cases[] = {
        // 400 + 300 points exceed 500 after the first step.
        { "height reached after one step", 400, 300, 400, 500, 2, 1 },
        { "first shot already taller than the maximum", 300, 240, 300, 200, 1, 0 },
        { "maximum equal to the first shot", 300, 240, 300, 300, 1, 0 },
        // Step height 165 gives a budget of trunc(1150 / 165) + 2 = 8 steps, which end at
        // about 1100 points, short of the maximum.
        { "step budget spent first", 300, 100, 300, 1150, 9, 8 },
        // A step counts as at least 80 points: trunc(400 / 80) + 2 = 7 steps of 30 points.
        { "small selection", 100, 30, 100, 400, 8, 7 },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        usePage(testCase.viewport, testCase.keyStep);
        selection.rect.setHeight(testCase.selectionHeight);
        const ScrollingCaptureRunResult result = run(Direction::down, { .maxHeight = testCase.maxHeight, .speed = 1 });
        EXPECT_EQ(result.outcome, Outcome::reachedMaxHeight);
        EXPECT_EQ(result.captures.size(), testCase.shots);
        EXPECT_EQ(page->inputs.size(), testCase.inputs);
    }
}

TEST_F(ScrollingCaptureServiceTest, StopBeforeTheFirstStepLooksOnceMoreButKeepsNoRepeat)
{
    usePage(viewport, halfViewport);
    stopRequested = true;
    const ScrollingCaptureRunResult result = run(Direction::down);

    EXPECT_EQ(result.outcome, Outcome::stoppedByUser);
    EXPECT_EQ(result.captures.size(), 1u);
    EXPECT_TRUE(page->inputs.isEmpty());
    // The first shot and a settled pair.
    EXPECT_EQ(page->shots, 3);
}

TEST_F(ScrollingCaptureServiceTest, StopTakesEffectAfterTheStepInProgressAndKeepsAScrolledTail)
{
    usePage(viewport, halfViewport);
    stopAtSegmentCount = 2;
    // The user scrolled on by hand before the run looked again.
    page->beforeShot = [this] {
        if (page->shots == 4)
            page->offset += 100;
    };
    const ScrollingCaptureRunResult result = run(Direction::down);

    EXPECT_EQ(result.outcome, Outcome::stoppedByUser);
    EXPECT_EQ(page->inputs.size(), 1);
    ASSERT_EQ(result.captures.size(), 3u);
    EXPECT_EQ(result.captures.back(), page->rows(halfViewport + 100));
}

TEST_F(ScrollingCaptureServiceTest, ScrollStillAnimatingIsWaitedForBeforeTheShotIsJudged)
{
    usePage(viewport, halfViewport);
    page->shotsBeforeSettled = 1;
    const ScrollingCaptureRunResult result = run(Direction::down);

    EXPECT_EQ(result.outcome, Outcome::completed);
    const std::optional<Image> stitched = ImageCompositionService::stitchVertically(result.captures);
    ASSERT_TRUE(stitched);
    EXPECT_TRUE(sameRows(stitched->pixels(), testPage()));
    // Each of the sixteen moving steps shows the half-way picture first and needs a third shot;
    // the first shot, the two steps that find the end and the last look take seven more.
    EXPECT_EQ(page->shots, 16 * 3 + 7);
}

TEST_F(ScrollingCaptureServiceTest, FailuresEndTheRunWithTheirOwnError)
{
    usePage(viewport, halfViewport);
    page->inputFails = true;
    EXPECT_THROW(run(Direction::down), ScrollingCaptureAutomationError);

    usePage(viewport, halfViewport);
    page->beforeShot = [this] {
        if (page->shots == 3)
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
    };
    EXPECT_THROW(run(Direction::down), ScreenshotError);
}

TEST_F(ScrollingCaptureServiceTest, EvaluationAcceptsNewContentInBothDirectionsAndNeverARepeat)
{
    usePage(viewport, halfViewport);
    const std::vector<Image> captures { page->rows(600) };
    for (const CandidateAcceptanceMode mode : { CandidateAcceptanceMode::standard, CandidateAcceptanceMode::relaxed }) {
        SCOPED_TRACE(mode == CandidateAcceptanceMode::standard ? "standard" : "relaxed");
        const CandidateEvaluation below
            = ScrollingCaptureService::evaluate(page->rows(750), captures, Direction::down, mode);
        EXPECT_TRUE(below.accepted);
        EXPECT_NEAR(below.addedHeight, 150, 6);
        const CandidateEvaluation above
            = ScrollingCaptureService::evaluate(page->rows(450), captures, Direction::up, mode);
        EXPECT_TRUE(above.accepted);
        EXPECT_NEAR(above.addedHeight, 150, 6);
        // The analysis leaves 24 points of any shot, so a repeat looks like 24 new points.
        for (const Direction direction : { Direction::down, Direction::up })
            EXPECT_FALSE(ScrollingCaptureService::evaluate(page->rows(600), captures, direction, mode).accepted);
    }
    const CandidateEvaluation first
        = ScrollingCaptureService::evaluate(page->rows(0), {}, Direction::down, CandidateAcceptanceMode::standard);
    EXPECT_EQ(first, (CandidateEvaluation { true, 300 }));
}

} // namespace
