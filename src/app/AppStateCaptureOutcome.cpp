// What follows a capture: copying and saving it as the settings ask, reporting failures,
// and the way back from a missing screen capture permission.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "domain/ScreenshotError.h"
#include "ports/DialogsPort.h"
#include "ports/WorkspacePort.h"

namespace {

QString postCaptureStatus(bool copied, bool saved)
{
    if (copied && saved)
        return QStringLiteral("Captured, copied, and saved");
    if (copied)
        return QStringLiteral("Captured and copied to clipboard");
    return QStringLiteral("Captured and saved");
}

} // namespace

void AppState::applyPostCaptureActions(const Image& image)
{
    bool copied = false;
    if (settings.copyAfterScreenshot()) {
        try {
            copyImageToPasteboard(image);
            copied = true;
        } catch (const TrovixError&) {
            // A refused clipboard is not worth an error line after a good capture; the status
            // below simply does not claim the copy.
        }
    }
    bool saved = false;
    if (settings.saveAfterScreenshot()) {
        try {
            writePng(image, nextAutoSaveURL());
            saved = true;
        } catch (const TrovixError& error) {
            errorMessage.set(error.description());
            return;
        }
    }
    if (copied || saved)
        statusMessage.set(postCaptureStatus(copied, saved));
}

void AppState::handleCaptureError(const TrovixError& error)
{
    const auto* screenshotError = dynamic_cast<const ScreenshotError*>(&error);
    if (!screenshotError || screenshotError->code() != ScreenshotError::Code::permissionDenied) {
        errorMessage.set(error.description());
        return;
    }
    statusMessage.set(QStringLiteral("Screen Recording needs a full Trovix restart"));
    presentScreenRecordingRestartAlert(QStringLiteral("Trovix needs Screen Recording access"),
        QStringLiteral("If you already enabled Trovix in Privacy & Security, use Quit and Reopen. Closing the window "
                       "is not enough because Trovix still runs in the tray."),
        true);
}

void AppState::presentScreenRecordingRestartAlert(
    const QString& messageText, const QString& informativeText, bool showsSettingsButton)
{
    QStringList buttons { QStringLiteral("Quit and Reopen") };
    if (showsSettingsButton)
        buttons << QStringLiteral("Open System Settings");
    buttons << QStringLiteral("Later");
    const int choice = m_ports.dialogs.runWarningAlert(messageText, informativeText, buttons);
    if (choice == 0) {
        relaunchApplication();
    } else if (showsSettingsButton && choice == 1) {
        m_shouldPromptForScreenRecordingRestart = true;
        openScreenRecordingSettings();
    }
}

void AppState::openScreenRecordingSettings()
{
    m_ports.workspace.openScreenRecordingSettings();
}

void AppState::relaunchApplication()
{
    try {
        m_ports.workspace.launchNewInstance();
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
        return;
    }
    m_ports.workspace.terminate();
}

void AppState::handleApplicationDidBecomeActive()
{
    if (!m_shouldPromptForScreenRecordingRestart)
        return;
    m_shouldPromptForScreenRecordingRestart = false;
    presentScreenRecordingRestartAlert(QStringLiteral("Restart Trovix to finish enabling Screen Recording"),
        QStringLiteral(
            "Trovix keeps running in the tray even after you close its window. If you just enabled "
            "screen access in System Settings, use Quit and Reopen so the desktop applies the new permission "
            "to the whole app process."),
        false);
}
