// Wiring only: builds the desktop adapters, the settings, the application state and the
// windows, connects the ways a user starts commands, and runs the event loop.
#include "app/AppSettings.h"
#include "app/AppState.h"
#include "domain/TrovixError.h"
#include "platform/qt/JsonDefaultsStore.h"
#include "platform/qt/QtApplicationWindows.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtScreenScales.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "platform/qt/XdgAutostartLoginItem.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/X11WindowHints.h"
#include "platform/x11/XInputClickMonitor.h"
#include "platform/x11/XTestInputSynthesis.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbFrontmostApplication.h"
#include "platform/x11/XcbHotkeyService.h"
#include "platform/x11/XcbScreenFreezer.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbWindowList.h"
#include "services/ScreenshotService.h"
#include "services/SystemScreenshotTool.h"
#include "ui/AreaSelectionOverlay.h"
#include "ui/DesktopWorkspace.h"
#include "ui/EditorWindow.h"
#include "ui/PinnedImageWindowController.h"
#include "ui/ScrollingCapturePanels.h"
#include "ui/SettingsWindow.h"
#include "ui/SettingsWindowController.h"
#include "ui/TrayMenu.h"
#include "ui/WindowSelectionOverlay.h"

#include <QApplication>
#include <QTextStream>
#include <QWindow>

namespace {

// Trovix reads the screen and grabs keys through X11; under Wayland it runs on XWayland.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// Workflows are coroutines that keep running after their handle is dropped.
template <typename Task> void start(Task task)
{
    Q_UNUSED(task);
}

void runCapture(AppState& state, CaptureCommand command)
{
    switch (command) {
    case CaptureCommand::area:
        return start(state.captureArea());
    case CaptureCommand::fullScreen:
        return start(state.captureScreen());
    case CaptureCommand::addToCanvas:
        return start(state.addAreaCaptureToCanvas());
    case CaptureCommand::delayed:
        return start(state.captureAfterDelay(3.0));
    case CaptureCommand::anyWindow:
        return start(state.captureAnyWindow());
    }
}

void runCapture(AppState& state, TrayCaptureCommand command)
{
    switch (command) {
    case TrayCaptureCommand::captureScreen:
        return start(state.captureScreen());
    case TrayCaptureCommand::captureArea:
        return start(state.captureArea());
    case TrayCaptureCommand::captureAfterDelay:
        return start(state.captureAfterDelay(3.0));
    case TrayCaptureCommand::captureScrolling:
        return start(state.startScrollingCapture(ScrollingCaptureDirection::down));
    case TrayCaptureCommand::addCapture:
        return start(state.addAreaCaptureToCanvas());
    case TrayCaptureCommand::captureActiveWindow:
        return start(state.captureActiveWindow());
    case TrayCaptureCommand::captureAnyWindow:
        return start(state.captureAnyWindow());
    }
}

XcbHotkeyService::Callbacks hotkeyCallbacks(AppState& state)
{
    return {
        { HotkeyAction::captureScreen, [&state] { start(state.captureScreen()); } },
        { HotkeyAction::captureArea, [&state] { start(state.captureArea()); } },
        { HotkeyAction::addCapture, [&state] { start(state.addAreaCaptureToCanvas()); } },
        { HotkeyAction::captureAnyWindow, [&state] { start(state.captureAnyWindow()); } },
        { HotkeyAction::captureScrolling,
            [&state] { start(state.startScrollingCapture(ScrollingCaptureDirection::down)); } },
        { HotkeyAction::captureActiveWindow, [&state] { start(state.captureActiveWindow()); } },
        { HotkeyAction::showTrovix, [&state] { state.showEditor(); } },
        { HotkeyAction::recognizeText, [&state] { start(state.recognizeText()); } },
    };
}

// The desktop side of the application: X server, capture, files, clipboard and panels.
struct Desktop {
    XcbConnection connection;
    XcbScreens screens { connection, &QtScreenScales::scaleOf };
    XcbWindowList windowList { connection, screens };
    XcbFrontmostApplication frontmost { connection, windowList };
    X11ScreenCapturePermission permission;
    SystemScreenshotTool tool { SystemScreenshotTool::defaultExecutable(), permission };
    WindowSelectionOverlay windowSelection;
    XcbScreenFreezer screenFreeze { connection };
    ScreenshotService screenshots { ScreenshotService::Collaborators { screens, windowList, frontmost, permission, tool,
        windowSelection, screenFreeze, nullptr, QStringLiteral("trovix") } };
    JsonDefaultsStore defaults { JsonDefaultsStore::standardFilePath() };
    XdgAutostartLoginItem loginItem { XdgAutostartLoginItem::standardDesktopFilePath(),
        QCoreApplication::applicationFilePath() };
    XcbHotkeyService hotkeys;
    QtClipboard clipboard;
    QtDialogs dialogs;
    PinnedImageWindowController pinnedWindows;
    QtClock clock;
    DesktopWorkspace workspace { frontmost };
    AreaSelectionOverlay areaSelection;
    QtApplicationWindows applicationWindows;
    XTestInputSynthesis inputSynthesis;
    XInputClickMonitor clickMonitor;
    ScrollingCapturePanels scrollingPanels { &clickMonitor };
};

int run(QApplication& application, SingleInstanceGuard& instance)
{
    Desktop desktop;
    desktop.pinnedWindows.setWindowDecorator([](QWidget& window) {
        window.winId();
        if (QWindow* handle = window.windowHandle())
            X11WindowHints::showOnAllDesktops(*handle);
    });
    AppSettings settings(desktop.defaults, desktop.loginItem, desktop.hotkeys);
    AppState state(settings,
        AppStatePorts { desktop.clipboard, desktop.workspace, desktop.dialogs, desktop.pinnedWindows, desktop.clock,
            desktop.screenshots, desktop.areaSelection, desktop.applicationWindows, &desktop.inputSynthesis,
            &desktop.scrollingPanels });

    EditorWindow editor(state, EditorWindowPorts { desktop.clipboard, desktop.dialogs, desktop.workspace });
    desktop.dialogs.setParent(&editor);
    desktop.workspace.setActivateSelf([&editor] {
        editor.show();
        editor.raise();
        editor.activateWindow();
    });
    SettingsWindowController settingsWindow(
        settings, desktop.hotkeys, desktop.dialogs, SettingsWindowController::uploadCallback(state));
    TrayMenu tray(state);

    QObject::connect(&editor, &EditorWindow::captureRequested, [&state](CaptureCommand c) { runCapture(state, c); });
    QObject::connect(&editor, &EditorWindow::settingsRequested, [&settingsWindow] { settingsWindow.show(); });
    QObject::connect(&tray, &TrayMenu::captureRequested, [&state](TrayCaptureCommand c) { runCapture(state, c); });
    QObject::connect(&tray, &TrayMenu::showEditorRequested, [&state] { state.showEditor(); });
    QObject::connect(&tray, &TrayMenu::settingsRequested, [&settingsWindow] { settingsWindow.show(); });
    QObject::connect(&tray, &TrayMenu::quitRequested, &application, &QApplication::quit);
    QObject::connect(&instance, &SingleInstanceGuard::activationRequested, [&state] { state.showEditor(); });
    // Coming back from the desktop's settings may call for the restart prompt.
    QObject::connect(
        &application, &QGuiApplication::applicationStateChanged, &state,
        [&state](Qt::ApplicationState applicationState) {
            if (applicationState == Qt::ApplicationActive)
                state.handleApplicationDidBecomeActive();
        },
        Qt::QueuedConnection);

    desktop.hotkeys.setCallbacks(hotkeyCallbacks(state));
    desktop.hotkeys.registerHotkeys(settings.shortcuts());

    state.showEditor();
    return application.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    preferX11();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovix"));
    QApplication::setDesktopFileName(QStringLiteral("trovix"));
    // Closing the editor only hides it; the tray and the global shortcuts keep working.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstanceGuard instance;
    // A relaunch (after screen access was granted) waits while the instance it replaces quits.
    if (!instance.claim(qEnvironmentVariableIsSet(DesktopWorkspace::relaunchVariable) ? 10000 : 100)) {
        if (instance.notifyRunningInstance())
            return 0;
        QTextStream(stderr) << "Trovix is already running, but it did not answer.\n";
        return 1;
    }
    try {
        return run(application, instance);
    } catch (const TrovixError& error) {
        QTextStream(stderr) << "Trovix cannot start: " << error.description() << '\n';
        return 1;
    }
}
