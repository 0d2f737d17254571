#include "services/ScrollingCaptureService.h"

#include "engine/ImageCompositionService.h"
#include "engine/ImageSignature.h"
#include "engine/VerticalAlignment.h"
#include "ports/Clock.h"
#include "ports/InputSynthesisPort.h"

#include <algorithm>
#include <cmath>

namespace {

using std::chrono::milliseconds;

// The screen counts as still moving when two shots 150 ms apart differ by this much.
constexpr double settlingDifference = 1.35;
constexpr milliseconds settlingInterval { 150 };

// Less new content than this is noise (a blinking caret, a scroll bar fading in), not a step.
constexpr double standardMinimumAddedHeight = 28;
constexpr double relaxedMinimumAddedHeight = 10;
// The relaxed test keeps this much new content even when the analysis calls it nothing new.
constexpr double relaxedTrustedAddedHeight = 18;

// The analysis never trims a shot below 24 points, so a shot identical to its neighbour still
// reports 24 points of "new" content, enough for the relaxed test. Such a shot would end the
// stitched page with a repeated band; it is never new content, whatever the mode.
bool isSamePicture(const Image& a, const Image& b)
{
    const auto first = ImageSignature::fromImage(a, ImageCompositionService::signatureWidth);
    const auto second = ImageSignature::fromImage(b, ImageCompositionService::signatureWidth);
    return first && second && first->meanDifference(*second) < VerticalAlignment::sameImageDifference;
}

} // namespace

ScrollingCaptureService::ScrollingCaptureService(Collaborators collaborators)
    : m_ports(std::move(collaborators))
{ }

milliseconds ScrollingCaptureService::capturePause(double speed)
{
    // NaN counts as the slowest speed: a broken setting must not make the run rush.
    if (!(speed > 0.1))
        return milliseconds(812);
    const double seconds = 0.86 - 0.48 * std::min(speed, 1.0);
    return milliseconds(static_cast<milliseconds::rep>(seconds * 1000));
}

QString ScrollingCaptureService::title(ScrollingCaptureDirection direction)
{
    return direction == ScrollingCaptureDirection::down ? QStringLiteral("Scrolling Capture")
                                                        : QStringLiteral("Scrolling Capture (Up)");
}

QCoro::Task<Image> ScrollingCaptureService::captureSettledViewport(ScreenCaptureSelection selection)
{
    Image reference = co_await m_ports.capture(selection);
    co_await m_ports.clock.sleep(settlingInterval);
    Image newest = co_await m_ports.capture(selection);
    const auto before = ImageSignature::fromImage(reference, ImageCompositionService::signatureWidth);
    const auto after = ImageSignature::fromImage(newest, ImageCompositionService::signatureWidth);
    if (before && after && before->meanDifference(*after) >= settlingDifference) {
        // Still moving: one more shot, taken whatever it shows, so a page that never settles
        // (a video, an animation) cannot hold the run.
        co_await m_ports.clock.sleep(settlingInterval);
        newest = co_await m_ports.capture(selection);
    }
    co_return newest;
}

CandidateEvaluation ScrollingCaptureService::evaluate(const Image& candidate, const std::vector<Image>& captures,
    ScrollingCaptureDirection direction, CandidateAcceptanceMode mode)
{
    if (captures.empty())
        return { true, candidate.height() };
    std::optional<StitchAnalysis> analysis;
    double added = 0;
    if (direction == ScrollingCaptureDirection::down) {
        analysis = ImageCompositionService::analyzeVerticalContinuation(captures.back(), candidate);
        if (analysis)
            added = std::max(analysis->newContentHeight, 0.0);
    } else {
        // Scrolling up, the new shot lies above the first one.
        analysis = ImageCompositionService::analyzeVerticalContinuation(candidate, captures.front());
        if (analysis)
            added = std::max(candidate.height() - analysis->topTrim, 0.0);
    }
    if (!analysis)
        return { true, candidate.height() };
    const Image& neighbour = direction == ScrollingCaptureDirection::down ? captures.back() : captures.front();
    if (analysis->hasNoNewContent && isSamePicture(candidate, neighbour))
        return { false, added };
    const bool nothingNew = analysis->hasNoNewContent;
    const bool accepted = mode == CandidateAcceptanceMode::standard
        ? added >= standardMinimumAddedHeight && !nothingNew
        : added >= relaxedMinimumAddedHeight && (!nothingNew || added >= relaxedTrustedAddedHeight);
    return { accepted, added };
}

QCoro::Task<> ScrollingCaptureService::appendCurrentViewportIfMeaningful(ScreenCaptureSelection selection,
    ScrollingCaptureDirection direction, std::vector<Image>& captures, double& estimatedHeight,
    CandidateAcceptanceMode mode)
{
    Image candidate = co_await captureSettledViewport(selection);
    const CandidateEvaluation evaluation = evaluate(candidate, captures, direction, mode);
    if (!evaluation.accepted)
        co_return;
    estimatedHeight += evaluation.addedHeight;
    if (direction == ScrollingCaptureDirection::down)
        captures.push_back(std::move(candidate));
    else
        captures.insert(captures.begin(), std::move(candidate));
}
