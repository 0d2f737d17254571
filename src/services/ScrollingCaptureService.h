#pragma once

#include "domain/Image.h"
#include "domain/ScreenCaptureSelection.h"
#include "domain/ScrollingCaptureDirection.h"
#include "domain/ScrollingCaptureOutcome.h"
#include "domain/ScrollingCaptureProgress.h"

#include <QCoro/QCoroTask>

#include <chrono>
#include <functional>
#include <vector>

class Clock;
class InputSynthesisPort;

// How strict the test for "this shot shows new content" is. The relaxed test takes the last
// shot of a run that is ending anyway, where a short tail of the page is still worth keeping.
enum class CandidateAcceptanceMode { standard, relaxed };

struct CandidateEvaluation {
    bool accepted = false;
    // Points of new content the shot adds to the document.
    double addedHeight = 0;

    friend bool operator==(const CandidateEvaluation&, const CandidateEvaluation&) = default;
};

// Automatic scrolling capture: scrolls the target with synthetic Page Down / Page Up keys (a
// wheel turn when the first key does nothing), waits for the screen to settle, shoots the
// selection and keeps each shot that shows new content, until the page ends, the configured
// height is reached or the user stops it. Stitching the shots is the caller's job. A key that
// did not move the picture may have been typed into the target, so the run sends no further
// keys and scrolls with the wheel from then on.
class ScrollingCaptureService {
public:
    using CaptureFunction = std::function<QCoro::Task<Image>(ScreenCaptureSelection)>;

    struct Collaborators {
        // One plain shot of the selection; throws ScreenshotError.
        CaptureFunction capture;
        InputSynthesisPort& input;
        Clock& clock;
    };

    // The two settings the run reads.
    struct Settings {
        // Points of document height after which the run stops.
        double maxHeight = 20000;
        // Only changes the waiting time after each scroll.
        double speed = 0.65;
        // The target turns page keys into typed text (a terminal): it is scrolled with the wheel only.
        bool wheelOnly = false;
    };

    // Run on the main thread, between steps.
    struct Callbacks {
        // Brings the scrolled application forward again before each key press.
        std::function<void()> reactivateTarget;
        std::function<void(const ScrollingCaptureProgress&)> reportProgress;
        // True once the user asked to stop; read after each step.
        std::function<bool()> shouldStop;
    };

    explicit ScrollingCaptureService(Collaborators collaborators);

    // Throws ScreenshotError or ScrollingCaptureAutomationError; the shots are then lost.
    QCoro::Task<ScrollingCaptureRunResult> autoCapture(
        ScreenCaptureSelection selection, ScrollingCaptureDirection direction, Settings settings, Callbacks callbacks);

    // The wait between a scroll and the shot: slower speeds give the target more time.
    [[nodiscard]] static std::chrono::milliseconds capturePause(double speed);

    // A shot taken once two consecutive shots agree (or after one more try), so that a
    // scroll animation still running is not captured half-way.
    QCoro::Task<Image> captureSettledViewport(ScreenCaptureSelection selection);

    // Whether `candidate` continues `captures` (top first) with enough new content.
    [[nodiscard]] static CandidateEvaluation evaluate(const Image& candidate, const std::vector<Image>& captures,
        ScrollingCaptureDirection direction, CandidateAcceptanceMode mode);

    // Takes a settled shot and keeps it only when it passes `mode`.
    QCoro::Task<> appendCurrentViewportIfMeaningful(ScreenCaptureSelection selection,
        ScrollingCaptureDirection direction, std::vector<Image>& captures, double& estimatedHeight,
        CandidateAcceptanceMode mode);

    // The title every progress report of a run carries.
    [[nodiscard]] static QString title(ScrollingCaptureDirection direction);

private:
    class Run;

    Collaborators m_ports;
};
