// The loop of one automatic scrolling capture.
#include "services/ScrollingCaptureService.h"

#include "ports/Clock.h"
#include "ports/InputSynthesisPort.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using std::chrono::milliseconds;
using Outcome = ScrollingCaptureOutcome;

// Gives the target a moment to take the focus back before the key arrives.
constexpr milliseconds waitBeforeKey { 120 };
constexpr milliseconds waitBeforeWheel { 80 };
// A wheel scroll animates for longer than a page key in most toolkits.
constexpr milliseconds minimumWheelPause { 420 };
// A step is expected to scroll at least this share of the selection (and never less than the
// minimum below); with the maximum height this bounds how many steps a run may take.
constexpr double expectedStepShare = 0.55;
constexpr double minimumStepHeight = 80;
// More steps than this is a setting gone wrong, not a page.
constexpr double maximumStepBudget = 100000;

const QString firstSegmentDetail = QStringLiteral("Captured first segment. Auto-scrolling now...");
const QString scrollingDetail = QStringLiteral("Scrolling the target and checking for new content...");
const QString directInputDetail = QStringLiteral("Trying a more direct scroll input for the first automatic step...");
const QString notMovedDetail = QStringLiteral("Auto-scroll did not move yet. Retrying automatically...");
const QString noNewContentDetail
    = QStringLiteral("No new content detected. Finishing if the page is already at the end...");

int stepBudget(double maxHeight, double selectionHeight)
{
    const double stepHeight = std::max(expectedStepShare * selectionHeight, minimumStepHeight);
    const double steps = maxHeight / stepHeight;
    if (!(steps >= 0))
        return 2;
    return std::max(static_cast<int>(std::min(std::trunc(steps), maximumStepBudget)) + 2, 2);
}

} // namespace

class ScrollingCaptureService::Run {
public:
    Run(ScrollingCaptureService& service, ScreenCaptureSelection selection, ScrollingCaptureDirection direction,
        Settings settings, Callbacks callbacks)
        : m_service(service)
        , m_selection(std::move(selection))
        , m_direction(direction)
        , m_callbacks(std::move(callbacks))
        , m_maxHeight(settings.maxHeight)
        , m_pause(capturePause(settings.speed))
        , m_stepBudget(stepBudget(settings.maxHeight, m_selection.rect.height()))
        , m_longPause(m_pause > minimumWheelPause)
        , m_keysAllowed(!settings.wheelOnly)
    {
        if (!m_callbacks.reactivateTarget)
            m_callbacks.reactivateTarget = [] {};
        if (!m_callbacks.reportProgress)
            m_callbacks.reportProgress = [](const ScrollingCaptureProgress&) {};
        if (!m_callbacks.shouldStop)
            m_callbacks.shouldStop = [] { return false; };
    }

    QCoro::Task<ScrollingCaptureRunResult> execute()
    {
        Image first = co_await m_service.m_ports.capture(m_selection);
        m_estimatedHeight = first.height();
        m_captures.push_back(std::move(first));
        report(firstSegmentDetail);
        const Outcome outcome = co_await loop();
        co_return ScrollingCaptureRunResult { std::move(m_captures), outcome };
    }

private:
    struct Candidate {
        Image image;
        CandidateEvaluation evaluation;
    };

    QCoro::Task<Outcome> loop()
    {
        if (m_callbacks.shouldStop())
            co_return co_await stopForUser();
        if (m_estimatedHeight >= m_maxHeight)
            co_return Outcome::reachedMaxHeight;
        for (int stepIndex = 1;; ++stepIndex) {
            if (const std::optional<Outcome> end = co_await step(stepIndex))
                co_return *end;
            // A stop asked for during the step takes effect only now, with the step's shot kept.
            if (m_callbacks.shouldStop())
                co_return co_await stopForUser();
            if (!(m_estimatedHeight < m_maxHeight))
                co_return Outcome::reachedMaxHeight;
        }
    }

    // One scroll and its shot; an outcome when the run ends here.
    QCoro::Task<std::optional<Outcome>> step(int stepIndex)
    {
        m_callbacks.reactivateTarget();
        report(scrollingDetail);
        co_await clock().sleep(waitBeforeKey);
        const bool keyStep = m_keysAllowed;
        if (keyStep)
            co_await keyPressStep();
        else
            co_await wheelStep();
        Candidate candidate = co_await settledCandidate();
        if (!candidate.evaluation.accepted && keyStep)
            m_keysAllowed = false;
        if (!candidate.evaluation.accepted && keyStep && m_captures.size() == 1) {
            // Some targets ignore the first key (no focus inside the scrolled view yet); a wheel
            // turn over the pointer reaches them anyway.
            report(directInputDetail);
            co_await clock().sleep(waitBeforeWheel);
            co_await wheelStep();
            candidate = co_await settledCandidate();
            if (!candidate.evaluation.accepted)
                report(m_captures.size() == 1 ? notMovedDetail : noNewContentDetail);
        } else if (!candidate.evaluation.accepted) {
            report(m_captures.size() == 1 ? notMovedDetail : noNewContentDetail);
        }

        if (candidate.evaluation.accepted) {
            accept(std::move(candidate));
            if (stepIndex == m_stepBudget)
                co_return Outcome::reachedMaxHeight;
            m_noProgressCount = 0;
            co_return std::nullopt;
        }
        // A page that has not moved at all gets more patience than one that reached its end.
        const int retryBudget = m_captures.size() == 1 ? 2 : 1;
        if (m_noProgressCount < retryBudget) {
            if (stepIndex == m_stepBudget)
                co_return Outcome::reachedMaxHeight;
            ++m_noProgressCount;
            co_return std::nullopt;
        }
        co_await appendLastShot();
        co_return m_captures.size() < 2 ? Outcome::couldNotContinue : Outcome::completed;
    }

    QCoro::Task<Outcome> stopForUser()
    {
        co_await appendLastShot();
        co_return Outcome::stoppedByUser;
    }

    // The run ends: what the screen shows now is kept if it adds even a short tail.
    QCoro::Task<> appendLastShot()
    {
        co_await m_service.appendCurrentViewportIfMeaningful(
            m_selection, m_direction, m_captures, m_estimatedHeight, CandidateAcceptanceMode::relaxed);
    }

    QCoro::Task<Candidate> settledCandidate()
    {
        Image image = co_await m_service.captureSettledViewport(m_selection);
        const CandidateEvaluation evaluation
            = evaluate(image, m_captures, m_direction, CandidateAcceptanceMode::standard);
        co_return Candidate { std::move(image), evaluation };
    }

    void accept(Candidate candidate)
    {
        m_estimatedHeight += candidate.evaluation.addedHeight;
        if (m_direction == ScrollingCaptureDirection::down)
            m_captures.push_back(std::move(candidate.image));
        else
            m_captures.insert(m_captures.begin(), std::move(candidate.image));
        report(QStringLiteral("Captured segment %1. Continuing automatically...").arg(m_captures.size()));
    }

    QCoro::Task<> keyPressStep()
    {
        m_service.m_ports.input.pressPageKey(m_direction);
        co_await clock().sleep(m_pause);
    }

    QCoro::Task<> wheelStep()
    {
        m_service.m_ports.input.scrollWheelStep(m_direction);
        co_await clock().sleep(m_longPause ? m_pause : minimumWheelPause);
    }

    void report(const QString& detail)
    {
        m_callbacks.reportProgress({ title(m_direction), detail, static_cast<int>(m_captures.size()) });
    }

    Clock& clock() { return m_service.m_ports.clock; }

    ScrollingCaptureService& m_service;
    ScreenCaptureSelection m_selection;
    ScrollingCaptureDirection m_direction;
    Callbacks m_callbacks;
    double m_maxHeight;
    milliseconds m_pause;
    int m_stepBudget;
    bool m_longPause;
    // Page keys reach whatever has the focus: in a terminal's command line they become text.
    bool m_keysAllowed;
    std::vector<Image> m_captures;
    double m_estimatedHeight = 0;
    int m_noProgressCount = 0;
};

QCoro::Task<ScrollingCaptureRunResult> ScrollingCaptureService::autoCapture(
    ScreenCaptureSelection selection, ScrollingCaptureDirection direction, Settings settings, Callbacks callbacks)
{
    Run run(*this, std::move(selection), direction, settings, std::move(callbacks));
    co_return co_await run.execute();
}
