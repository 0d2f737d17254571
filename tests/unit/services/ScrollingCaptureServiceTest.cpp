#include "services/ScrollingCaptureService.h"

#include "engine/ImageCompositionService.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeScrollingPage.h"
#include "fakes/TaskRunner.h"
#include "unit/engine/StitchTestPages.h"

#include <gtest/gtest.h>

#include <cmath>

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

// Stitched pictures are compared in one pixel format: what counts is the rows.
bool samePicture(const QImage& actual, const QImage& expected)
{
    return actual.convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32);
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
            [] {},
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
    bool stopRequested = false;
    std::optional<int> stopAtSegmentCount;
};

TEST_F(ScrollingCaptureServiceTest, PauseShrinksWithSpeedBetweenItsLimits)
{
    const struct {
        double speed;
        milliseconds pause;
    } cases[] = { { -1, milliseconds(812) }, { 0.1, milliseconds(812) }, { 0.11, milliseconds(807) },
        { 1.0, milliseconds(380) }, { std::nan(""), milliseconds(812) } };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.speed);
        EXPECT_EQ(ScrollingCaptureService::capturePause(testCase.speed), testCase.pause);
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
    EXPECT_TRUE(samePicture(stitched->pixels(), testPage()));
    // Each of the sixteen moving steps shows the half-way picture first and needs a third shot;
    // the first shot, the two steps that find the end and the last look take seven more.
    EXPECT_EQ(page->shots, 16 * 3 + 7);
}

} // namespace
