// The scrolling capture: one rectangle shot again and again while the content beneath it
// scrolls, by the user between prompts or by synthetic input, stitched into one tall picture.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "app/TerminalApplications.h"
#include "domain/ImageIOError.h"
#include "domain/ScreenshotError.h"
#include "domain/ScrollingCaptureAutomationError.h"
#include "engine/ImageCompositionService.h"
#include "ports/AreaSelectionPort.h"
#include "ports/Clock.h"
#include "ports/InputSynthesisPort.h"
#include "ports/WorkspacePort.h"
#include "services/ScreenshotService.h"
#include "services/ScrollingCaptureService.h"

namespace {

using std::chrono::milliseconds;

const QString alreadyInProgress = QStringLiteral("Capture is already in progress");
const QString scrollingCancelled = QStringLiteral("Scrolling capture cancelled");
const QString autoScrollingDetail
    = QStringLiteral("Auto-scrolling now. Trovix will let you stop with a click after the first successful step.");

// The target needs a moment to come forward and repaint once the selection overlay is gone.
constexpr milliseconds waitAfterSelection { 180 };
// After "Capture Next" the target takes the focus back before its pixels are read.
constexpr milliseconds waitBeforeManualShot { 220 };

QString statusFor(ScrollingCaptureOutcome outcome)
{
    switch (outcome) {
    case ScrollingCaptureOutcome::completed:
        return QStringLiteral("Scrolling capture completed");
    case ScrollingCaptureOutcome::reachedMaxHeight:
        return QStringLiteral("Scrolling capture reached the configured max height");
    case ScrollingCaptureOutcome::couldNotContinue:
        return QStringLiteral("Auto-scroll could not continue");
    case ScrollingCaptureOutcome::stoppedByUser:
        return QStringLiteral("Stopped automatic scrolling");
    }
    return {};
}

Image stitched(const std::vector<Image>& captures)
{
    std::optional<Image> image = ImageCompositionService::stitchVertically(captures);
    if (!image)
        throw ImageIOError(ImageIOError::Code::noImageLoaded);
    return std::move(*image);
}

// Stands in when no input synthesis is wired: every scroll fails as the real one would.
class NoInputSynthesis : public InputSynthesisPort {
public:
    void pressPageKey(ScrollingCaptureDirection) override { throw ScrollingCaptureAutomationError(); }
    void scrollWheelStep(ScrollingCaptureDirection) override { throw ScrollingCaptureAutomationError(); }
};

} // namespace

QCoro::Task<> AppState::startScrollingCapture(ScrollingCaptureDirection direction)
{
    if (isCaptureTransitionActive()) {
        statusMessage.set(alreadyInProgress);
        co_return;
    }
    const QList<ApplicationWindow> windows = co_await prepareForCaptureTransition([this] { prepareAreaSelection(); });
    const bool editorWasVisible = includesEditorWindow(windows);
    bool rectangleChosen = false;
    // The handlers below cannot wait, so what they need is decided by plain values.
    std::optional<ScreenshotError> screenshotFailure;
    std::optional<TrovixError> otherFailure;
    try {
        // Said before the selection, rather than after it as a scroll that could not continue.
        if (settings.scrollingCaptureMode() != ScrollingCaptureMode::manual && m_ports.inputSynthesis) {
            if (const std::optional<QString> reason = m_ports.inputSynthesis->unavailableReason())
                throw TrovixError(*reason);
        }
        const Screen screen = m_ports.screenshots.activeScreen(captureTargetApplicationPID());
        // The rectangle is chosen over a picture of the screen; the shots themselves are live.
        const FrozenScreen frozen = co_await m_ports.screenshots.freezeScreen(screen);
        const std::optional<QRectF> rect = co_await m_ports.areaSelection.selectArea(frozen);
        if (!rect)
            throw ScreenshotError(ScreenshotError::Code::cancelled);
        rectangleChosen = true;
        restoreWindows(windows, false);
        activateScrollingTarget();
        co_await m_ports.clock.sleep(waitAfterSelection);
        const ScreenCaptureSelection selection { screen, *rect };
        if (settings.scrollingCaptureMode() == ScrollingCaptureMode::manual)
            co_await captureScrollingManually(selection, direction);
        else
            co_await captureScrollingAutomatically(selection, direction);
    } catch (const ScreenshotError& error) {
        screenshotFailure = error;
    } catch (const TrovixError& error) {
        otherFailure = error;
    } catch (const std::exception&) {
        // Anything else (a picture too big to hold) still must not leave our windows hidden.
        screenshotFailure = ScreenshotError(ScreenshotError::Code::captureFailed);
    }
    if (screenshotFailure || otherFailure) {
        closeScrollingHUD();
        const TrovixError& error = screenshotFailure ? *screenshotFailure : *otherFailure;
        const bool cancelled = screenshotFailure && screenshotFailure->code() == ScreenshotError::Code::cancelled;
        // Before the rectangle our windows are still hidden; after it they are back already.
        if (!rectangleChosen)
            restoreWindows(windows, editorWasVisible);
        if (cancelled) {
            statusMessage.set(scrollingCancelled);
        } else {
            if (rectangleChosen)
                activateScrollingTarget();
            handleCaptureError(error);
        }
    }
    completeCaptureTransition(windows);
}

QCoro::Task<> AppState::captureScrollingManually(ScreenCaptureSelection selection, ScrollingCaptureDirection direction)
{
    // (Built in steps: g++ 12 cannot compile a co_await inside a braced initializer.)
    std::vector<Image> captures;
    captures.push_back(co_await m_ports.screenshots.capture(selection.rect, selection.screen));
    captures = co_await continueScrollingCaptureManually(selection, direction, std::move(captures));
    loadImageIntoEditor(stitched(captures), QStringLiteral("Captured scrolling screenshot"), true);
}

QCoro::Task<std::vector<Image>> AppState::continueScrollingCaptureManually(
    ScreenCaptureSelection selection, ScrollingCaptureDirection direction, std::vector<Image> captures)
{
    // A failed shot ends the run by destroying the prompt, which takes its panel along.
    const std::unique_ptr<ScrollingCapturePromptPort> prompt
        = m_ports.scrollingPanels ? m_ports.scrollingPanels->makePrompt() : nullptr;
    if (!prompt)
        throw ScreenshotError(ScreenshotError::Code::cancelled);
    for (;;) {
        const int step = static_cast<int>(captures.size()) + 1;
        switch (co_await prompt->present(step, direction, selection.screen)) {
        case ScrollingCaptureDecision::captureNext:
            activateScrollingTarget();
            co_await m_ports.clock.sleep(waitBeforeManualShot);
            co_await captureScrollingSegment(selection, direction, captures);
            break;
        case ScrollingCaptureDecision::finish:
            prompt->orderOut();
            co_return captures;
        case ScrollingCaptureDecision::cancel:
            prompt->orderOut();
            throw ScreenshotError(ScreenshotError::Code::cancelled);
        }
    }
}

QCoro::Task<> AppState::captureScrollingSegment(
    ScreenCaptureSelection selection, ScrollingCaptureDirection direction, std::vector<Image>& captures)
{
    Image shot = co_await m_ports.screenshots.capture(selection.rect, selection.screen);
    if (direction == ScrollingCaptureDirection::down)
        captures.push_back(std::move(shot));
    else
        captures.insert(captures.begin(), std::move(shot));
    statusMessage.set(QStringLiteral("Captured scrolling segment %1").arg(captures.size()));
}

QCoro::Task<> AppState::captureScrollingAutomatically(
    ScreenCaptureSelection selection, ScrollingCaptureDirection direction)
{
    m_scrollingHUD = m_ports.scrollingPanels ? m_ports.scrollingPanels->makeHUD(selection.screen) : nullptr;
    bool monitorsInstalled = false;
    if (m_scrollingHUD) {
        m_scrollingHUD->update({ ScrollingCaptureService::title(direction), autoScrollingDetail, 0 });
        m_scrollingHUD->orderFrontRegardless();
    }
    NoInputSynthesis noInput;
    ScrollingCaptureService scrolling({
        [this](ScreenCaptureSelection shot) { return m_ports.screenshots.capture(shot.rect, shot.screen); },
        m_ports.inputSynthesis ? *m_ports.inputSynthesis : static_cast<InputSynthesisPort&>(noInput),
        m_ports.clock,
    });
    ScrollingCaptureService::Callbacks callbacks {
        [this] { activateScrollingTarget(); },
        [this, &monitorsInstalled](const ScrollingCaptureProgress& progress) {
            if (!m_scrollingHUD)
                return;
            // Clicks count only once a step has worked: before that, a click is more likely the
            // user still arranging the target than a request to stop.
            if (progress.segmentCount >= 2 && !monitorsInstalled) {
                monitorsInstalled = true;
                m_scrollingHUD->installClickMonitors();
            }
            m_scrollingHUD->update(progress);
        },
        [this] { return m_scrollingHUD && m_scrollingHUD->isStopRequested(); },
    };
    const std::optional<RunningApplication>& target = m_previousActiveApp ? m_previousActiveApp : m_lastExternalApp;
    const ScrollingCaptureService::Settings limits { settings.scrollingScreenshotMaxHeight(),
        settings.scrollingScreenshotSpeed(),
        target && target->applicationId && TerminalApplications::isTerminal(*target->applicationId) };
    const ScrollingCaptureRunResult result
        = co_await scrolling.autoCapture(selection, direction, limits, std::move(callbacks));
    closeScrollingHUD();
    loadImageIntoEditor(stitched(result.captures), statusFor(result.outcome), true);
}

void AppState::activateScrollingTarget()
{
    const std::optional<RunningApplication>& target = m_previousActiveApp ? m_previousActiveApp : m_lastExternalApp;
    if (target)
        m_ports.workspace.activate(*target);
}

void AppState::closeScrollingHUD()
{
    if (!m_scrollingHUD)
        return;
    m_scrollingHUD->removeClickMonitors();
    m_scrollingHUD->orderOut();
    m_scrollingHUD.reset();
}
