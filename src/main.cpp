// Wiring only: builds the desktop adapters, the settings, the application state and the
// windows, connects the ways a user starts commands, and runs the event loop.
#include "app/AppSettings.h"
#include "app/AppState.h"
#include "domain/ApplicationIdentity.h"
#include "domain/TrovixError.h"
#include "launch/ApplicationBus.h"
#include "launch/CaptureBackends.h"
#include "launch/CommandLine.h"
#include "launch/GlobalShortcutBackends.h"
#include "launch/InstanceCommandRunner.h"
#include "launch/OneShotCapture.h"
#include "platform/qt/JsonDefaultsStore.h"
#include "platform/qt/QtApplicationWindows.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtScreenScales.h"
#include "platform/qt/SingleInstanceGuard.h"
#include "platform/qt/TerminationSignals.h"
#include "platform/qt/XdgAutostartLoginItem.h"
#include "platform/x11/X11WindowHints.h"
#include "platform/x11/XInputClickMonitor.h"
#include "platform/x11/XTestInputSynthesis.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbDestroyedWindowWatch.h"
#include "platform/x11/XcbFrontmostApplication.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbWindowList.h"
#include "services/ScreenshotService.h"
#include "services/SystemScreenshotTool.h"
#include "ui/capture/AreaSelectionOverlay.h"
#include "ui/capture/ScrollingCapturePanels.h"
#include "ui/capture/WindowSelectionOverlay.h"
#include "ui/editor/EditorWindow.h"
#include "ui/pinned/PinnedImageWindowController.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/settings/SettingsWindowController.h"
#include "ui/shared/AppIcon.h"
#include "ui/shared/DesktopWorkspace.h"
#include "ui/tray/TrayAbsenceNotice.h"
#include "ui/tray/TrayMenu.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

namespace {

// Trovix's windows, window list and keys use X11; under Wayland they run on XWayland, while
// the screens' pictures come from the desktop's portal.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The editor's menus, the tray and the shortcuts name their commands in their own terms;
// each runs through the one runner that a later launch or the session bus also reaches.
InstanceCommand::Kind commandFor(CaptureCommand command)
{
    using Kind = InstanceCommand::Kind;
    switch (command) {
    case CaptureCommand::area:
        return Kind::captureArea;
    case CaptureCommand::fullScreen:
        return Kind::captureScreen;
    case CaptureCommand::addToCanvas:
        return Kind::addAreaCapture;
    case CaptureCommand::delayed:
        return Kind::captureDelayed;
    case CaptureCommand::anyWindow:
        return Kind::captureWindow;
    }
    return Kind::show;
}

InstanceCommand::Kind commandFor(TrayCaptureCommand command)
{
    using Kind = InstanceCommand::Kind;
    switch (command) {
    case TrayCaptureCommand::captureScreen:
        return Kind::captureScreen;
    case TrayCaptureCommand::captureArea:
        return Kind::captureArea;
    case TrayCaptureCommand::captureAfterDelay:
        return Kind::captureDelayed;
    case TrayCaptureCommand::captureScrolling:
        return Kind::captureScrolling;
    case TrayCaptureCommand::addCapture:
        return Kind::addAreaCapture;
    case TrayCaptureCommand::captureActiveWindow:
        return Kind::captureActiveWindow;
    case TrayCaptureCommand::captureAnyWindow:
        return Kind::captureWindow;
    }
    return Kind::show;
}

GlobalShortcutBackends::Callbacks hotkeyCallbacks(InstanceCommandRunner& commands)
{
    using Kind = InstanceCommand::Kind;
    const auto run = [&commands](Kind kind) { return [&commands, kind] { commands.run({ kind, {} }); }; };
    return {
        { HotkeyAction::captureScreen, run(Kind::captureScreen) },
        { HotkeyAction::captureArea, run(Kind::captureArea) },
        { HotkeyAction::addCapture, run(Kind::addAreaCapture) },
        { HotkeyAction::captureAnyWindow, run(Kind::captureWindow) },
        { HotkeyAction::captureScrolling, run(Kind::captureScrolling) },
        { HotkeyAction::captureActiveWindow, run(Kind::captureActiveWindow) },
        { HotkeyAction::showTrovix, run(Kind::show) },
        { HotkeyAction::recognizeText, run(Kind::recognizeText) },
    };
}

// The desktop side of the application: X server, capture, files, clipboard and panels.
struct Desktop {
    XcbConnection connection;
    XcbScreens screens { connection, &QtScreenScales::scaleOf };
    XcbWindowList windowList { connection, screens };
    XcbFrontmostApplication frontmost { connection, windowList };
    CaptureBackends capture { connection };
    SystemScreenshotTool tool { SystemScreenshotTool::defaultExecutable(), capture.permission() };
    WindowSelectionOverlay windowSelection;
    ScreenshotService screenshots { ScreenshotService::Collaborators { screens, windowList, frontmost,
        capture.permission(), tool, windowSelection, capture.screenFreeze(), nullptr, QStringLiteral("trovix"),
        capture.usesPortal(), capture.windowCapture() } };
    JsonDefaultsStore defaults { JsonDefaultsStore::standardFilePath() };
    XdgAutostartLoginItem loginItem { XdgAutostartLoginItem::standardDesktopFilePath(),
        QCoreApplication::applicationFilePath() };
    GlobalShortcutBackends hotkeys;
    QtClipboard clipboard;
    QtDialogs dialogs;
    PinnedImageWindowController pinnedWindows;
    // A pinned window another client destroys is released like one the window manager closed.
    XcbDestroyedWindowWatch destroyedWindows;
    QtClock clock;
    DesktopWorkspace workspace { frontmost };
    AreaSelectionOverlay areaSelection;
    QtApplicationWindows applicationWindows;
    XTestInputSynthesis inputSynthesis;
    XInputClickMonitor clickMonitor;
    ScrollingCapturePanels scrollingPanels { &clickMonitor };
};

// Commands from later launches and from the session bus, run like the tray's items.
void connectInstanceCommands(InstanceCommandRunner& commands, SingleInstanceGuard& instance, ApplicationBus& bus)
{
    QObject::connect(
        &bus, &ApplicationBus::commandReceived, [&commands](const InstanceCommand& command) { commands.run(command); });
    QObject::connect(&instance, &SingleInstanceGuard::requestReceived, [&commands](const QStringList& arguments) {
        const CommandLine::Request request = CommandLine::parse(arguments, {});
        if (const auto* command = std::get_if<InstanceCommand>(&request))
            commands.run(*command);
    });
}

int run(QApplication& application, SingleInstanceGuard& instance, const InstanceCommand& firstCommand)
{
    Desktop desktop;
    const auto onEveryDesktop = [](QWidget& window) {
        window.winId();
        if (QWindow* handle = window.windowHandle())
            X11WindowHints::showOnAllDesktops(*handle);
    };
    desktop.pinnedWindows.setWindowDecorator(onEveryDesktop);
    desktop.scrollingPanels.setWindowDecorator(onEveryDesktop);
    AppSettings settings(desktop.defaults, desktop.loginItem, desktop.hotkeys.registrar());
    AppState state(settings,
        AppStatePorts { desktop.clipboard, desktop.workspace, desktop.dialogs, desktop.pinnedWindows, desktop.clock,
            desktop.screenshots, desktop.areaSelection, desktop.applicationWindows,
            desktop.capture.inputSynthesis(&desktop.inputSynthesis),
            &desktop.scrollingPanels });

    EditorWindow editor(state, EditorWindowPorts { desktop.clipboard, desktop.dialogs, desktop.workspace });
    desktop.dialogs.setParent(&editor);
    desktop.workspace.setActivateSelf([&editor] {
        editor.show();
        editor.raise();
        editor.activateWindow();
    });
    desktop.workspace.setKeepInTaskbar([&editor] { editor.showMinimized(); });
    SettingsWindowController settingsWindow(
        settings, desktop.hotkeys.registrar(), desktop.dialogs, SettingsWindowController::uploadCallback(state));
    TrayMenu tray(state);

    InstanceCommandRunner commands(state, { [&settingsWindow] { settingsWindow.show(); }, &QApplication::quit });
    QObject::connect(
        &editor, &EditorWindow::captureRequested, [&commands](CaptureCommand c) { commands.run({ commandFor(c), {} }); });
    QObject::connect(&editor, &EditorWindow::settingsRequested, [&settingsWindow] { settingsWindow.show(); });
    QObject::connect(
        &tray, &TrayMenu::captureRequested, [&commands](TrayCaptureCommand c) { commands.run({ commandFor(c), {} }); });
    QObject::connect(&tray, &TrayMenu::showEditorRequested, [&state] { state.showEditor(); });
    QObject::connect(&tray, &TrayMenu::settingsRequested, [&settingsWindow] { settingsWindow.show(); });
    QObject::connect(&tray, &TrayMenu::quitRequested, &application, &QApplication::quit);
    ApplicationBus bus;
    // Without a session bus, later launches reach this instance through the guard's socket.
    bus.registerInstance();
    connectInstanceCommands(commands, instance, bus);
    // Coming back from the desktop's settings may call for the restart prompt.
    QObject::connect(
        &application, &QGuiApplication::applicationStateChanged, &state,
        [&state](Qt::ApplicationState applicationState) {
            if (applicationState == Qt::ApplicationActive)
                state.handleApplicationDidBecomeActive();
        },
        Qt::QueuedConnection);

    desktop.hotkeys.setCallbacks(hotkeyCallbacks(commands));
    desktop.hotkeys.registrar().registerHotkeys(settings.shortcuts());

    if (firstCommand.kind == InstanceCommand::Kind::show)
        state.showEditor();
    else
        QTimer::singleShot(0, &application, [&commands, firstCommand] { commands.run(firstCommand); });
    TrayAbsenceNotice::tellIfNoTray(state);
    const TerminationSignals termination;
    return application.exec();
}

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Help, version and wrong arguments are answered before any connection to the desktop.
std::optional<int> answerWithoutDesktop(const CommandLine::Request& request)
{
    if (std::holds_alternative<CommandLine::Help>(request)) {
        QTextStream(stdout) << CommandLine::usage();
        return 0;
    }
    if (std::holds_alternative<CommandLine::Version>(request)) {
        QTextStream(stdout) << "trovix " << ApplicationIdentity::version() << '\n';
        return 0;
    }
    if (const auto* error = std::get_if<CommandLine::UsageError>(&request)) {
        QTextStream(stderr) << "trovix: " << error->message << "\n\n" << CommandLine::usage();
        return 2;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLine::Request request = CommandLine::parse(
        argumentsOf(argc, argv), { QDir::currentPath(), [](const QString& path) { return QFileInfo::exists(path); } });
    if (const std::optional<int> status = answerWithoutDesktop(request))
        return *status;
    preferX11();
    if (const auto* shot = std::get_if<ShotRequest>(&request))
        return OneShotCapture::run(*shot, argc, argv);
    const InstanceCommand command = std::get<InstanceCommand>(request);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovix"));
    QApplication::setApplicationVersion(ApplicationIdentity::version());
    QApplication::setDesktopFileName(ApplicationIdentity::id());
    QApplication::setWindowIcon(AppIcon::icon());
    // Closing the editor only hides it; the tray and the global shortcuts keep working.
    QApplication::setQuitOnLastWindowClosed(false);

    if (ApplicationBus::forward(command) == ApplicationBus::Forwarding::delivered)
        return 0;
    SingleInstanceGuard instance;
    // A relaunch (after screen access was granted) waits while the instance it replaces quits.
    if (!instance.claim(qEnvironmentVariableIsSet(DesktopWorkspace::relaunchVariable) ? 10000 : 100)) {
        if (instance.notifyRunningInstance(InstanceCommands::toArguments(command)))
            return 0;
        QTextStream(stderr) << "Trovix is already running, but it did not answer.\n";
        return 1;
    }
    // Starting Trovix only to quit it would flash its windows.
    if (command.kind == InstanceCommand::Kind::quit)
        return 0;
    try {
        return run(application, instance, command);
    } catch (const TrovixError& error) {
        QTextStream(stderr) << "Trovix cannot start: " << error.description() << '\n';
        return 1;
    }
}
