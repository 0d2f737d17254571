// The capture requests: which picture each one takes, how it gets our windows out of the
// way, and what the status says afterwards.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "domain/ScreenshotError.h"
#include "ports/AreaSelectionPort.h"
#include "ports/Clock.h"
#include "services/ScreenshotService.h"

#include <algorithm>
#include <cmath>

namespace {

const QString alreadyInProgress = QStringLiteral("Capture is already in progress");
const QString screenCaptured = QStringLiteral("Captured the current screen");
const QString screenCancelled = QStringLiteral("Screen capture cancelled");
const QString areaCaptured = QStringLiteral("Captured a custom area");
const QString areaCancelled = QStringLiteral("Area capture cancelled");

// A day is more than any delay a menu offers; the bound keeps the wait's arithmetic finite.
constexpr double longestDelaySeconds = 24 * 60 * 60;

} // namespace

QCoro::Task<> AppState::startCaptureFlow(QString cancellationMessage, CaptureAction action, SettlingWork whileSettling)
{
    if (isCaptureTransitionActive()) {
        statusMessage.set(alreadyInProgress);
        co_return;
    }
    const QList<ApplicationWindow> windows = co_await prepareForCaptureTransition(std::move(whileSettling));
    const bool editorWasVisible = includesEditorWindow(windows);
    try {
        co_await action(windows, editorWasVisible);
    } catch (const ScreenshotError& error) {
        restoreWindows(windows, editorWasVisible);
        if (error.code() == ScreenshotError::Code::cancelled)
            statusMessage.set(cancellationMessage);
        else
            handleCaptureError(error);
    } catch (const TrovixError& error) {
        restoreWindows(windows, editorWasVisible);
        handleCaptureError(error);
    } catch (const std::exception&) {
        // Anything else (an image too big to hold) must not leave our windows hidden.
        restoreWindows(windows, editorWasVisible);
        handleCaptureError(ScreenshotError(ScreenshotError::Code::captureFailed));
    }
    completeCaptureTransition(windows);
}

QCoro::Task<> AppState::captureImage(CaptureOperation operation, QString successMessage, QString cancellationMessage,
    bool hidesWindowsForCapture, SettlingWork whileSettling)
{
    if (!hidesWindowsForCapture) {
        co_await captureImageWithoutHidingWindows(std::move(operation), successMessage, cancellationMessage);
        co_return;
    }
    co_await startCaptureFlow(
        cancellationMessage,
        [this, operation = std::move(operation), successMessage](
            QList<ApplicationWindow> windows, bool) -> QCoro::Task<> {
            const Image image = co_await operation();
            loadImageIntoEditor(image, successMessage, false);
            applyPostCaptureActions(image);
            // After a capture the editor shows exactly when the settings ask, visible before or not.
            restoreWindows(windows, settings.showAfterScreenshot());
        },
        std::move(whileSettling));
}

QCoro::Task<> AppState::captureImageWithoutHidingWindows(
    CaptureOperation operation, QString successMessage, QString cancellationMessage)
{
    if (isCaptureTransitionActive()) {
        statusMessage.set(alreadyInProgress);
        co_return;
    }
    capturePreviousAppIfNeeded();
    isCaptureTransitionActive.set(true);
    try {
        const Image image = co_await operation();
        loadImageIntoEditor(image, successMessage, false);
        applyPostCaptureActions(image);
        if (settings.showAfterScreenshot())
            bringEditorForward();
        else
            updateActivationPolicyForCurrentVisibility();
    } catch (const ScreenshotError& error) {
        if (error.code() == ScreenshotError::Code::cancelled)
            statusMessage.set(cancellationMessage);
        else
            handleCaptureError(error);
    } catch (const TrovixError& error) {
        handleCaptureError(error);
    } catch (const std::exception&) {
        handleCaptureError(ScreenshotError(ScreenshotError::Code::captureFailed));
    }
    isCaptureTransitionActive.set(false);
}

QCoro::Task<> AppState::captureScreen()
{
    if (m_ports.screenshots.excludesOwnWindows()) {
        co_await captureImageWithoutHidingWindows(
            [this]() -> QCoro::Task<Image> {
                const Screen screen = m_ports.screenshots.activeScreen(captureTargetApplicationPID());
                co_return co_await m_ports.screenshots.captureExcludingCurrentApp(screen.frame, screen);
            },
            screenCaptured, screenCancelled);
        co_return;
    }
    co_await captureImage([this]() { return m_ports.screenshots.captureMainDisplay(captureTargetApplicationPID()); },
        screenCaptured, screenCancelled, true);
}

void AppState::prepareAreaSelection()
{
    m_ports.areaSelection.prepare(m_ports.screenshots.activeScreen(captureTargetApplicationPID()));
}

QCoro::Task<Image> AppState::selectAndCaptureArea()
{
    const Screen screen = m_ports.screenshots.activeScreen(captureTargetApplicationPID());
    // Our windows are already hidden: the picture shows the desktop as the user left it, and
    // the capture is cut from it, so neither waits for the overlay to leave the screen.
    const FrozenScreen frozen = co_await m_ports.screenshots.freezeScreen(screen);
    const std::optional<QRectF> rect = co_await m_ports.areaSelection.selectArea(frozen);
    if (!rect)
        throw ScreenshotError(ScreenshotError::Code::cancelled);
    co_return ScreenshotService::cutFromFrozen(frozen, *rect);
}

QCoro::Task<> AppState::captureArea()
{
    co_await captureImage([this]() { return selectAndCaptureArea(); }, areaCaptured, areaCancelled, true,
        [this] { prepareAreaSelection(); });
}

QCoro::Task<> AppState::captureActiveWindow()
{
    co_await captureImage([this]() { return m_ports.screenshots.captureActiveWindow(captureTargetApplicationPID()); },
        QStringLiteral("Captured active window"), QStringLiteral("Active window capture cancelled"), true);
}

QCoro::Task<> AppState::captureAnyWindow()
{
    co_await captureImage([this]() { return m_ports.screenshots.captureUserSelectedWindow(); },
        QStringLiteral("Captured selected window"), QStringLiteral("Any window capture cancelled"), true);
}

QCoro::Task<> AppState::addAreaCaptureToCanvas()
{
    // A stacked capture runs no post-capture actions: the user is still composing the picture.
    co_await startCaptureFlow(
        QStringLiteral("Add capture cancelled"),
        [this](QList<ApplicationWindow> windows, bool) -> QCoro::Task<> {
            const Image image = co_await selectAndCaptureArea();
            appendCaptureToCanvas(image);
            restoreWindows(windows, true);
        },
        [this] { prepareAreaSelection(); });
}

QCoro::Task<> AppState::captureAfterDelay(double seconds)
{
    const double delay = std::isfinite(seconds) ? std::clamp(seconds, 0.0, longestDelaySeconds) : 0.0;
    statusMessage.set(QStringLiteral("Capturing in %1 seconds...").arg(qint64(std::trunc(delay))));
    co_await m_ports.clock.sleep(std::chrono::milliseconds(qint64(std::llround(delay * 1000))));
    co_await captureScreen();
}
