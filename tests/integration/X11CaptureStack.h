#pragma once

// The capture road of the application on the real X server: connection, screens, window
// list, the real screenshot tool, the in-process screen grab and the screenshot service. Only the window picker is a
// fake, as it is a modal overlay; X11Application puts the application state on top.

#include "app/AppState.h"
#include "fakes/FakeSettingsAndOutputs.h"
#include "fakes/FakeWindowSelection.h"
#include "platform/qt/QtClock.h"
#include "platform/x11/X11ScreenCapturePermission.h"
#include "platform/x11/XInputClickMonitor.h"
#include "platform/x11/XTestInputSynthesis.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbFrontmostApplication.h"
#include "platform/x11/XcbScreenFreezer.h"
#include "platform/x11/XcbScreens.h"
#include "platform/x11/XcbWindowList.h"
#include "services/ScreenshotService.h"
#include "services/SystemScreenshotTool.h"
#include "ui/capture/ScrollingCapturePanels.h"

inline const QString screenCaptureToolPath = QStringLiteral(TROVIX_BINARY_DIR "/src/trovix-screencapture");

struct X11CaptureStack {
    explicit X11CaptureStack(XcbConnection& connection)
        : screens(connection)
        , windowList(connection, screens)
        , frontmost(connection, windowList)
        , tool(screenCaptureToolPath, permission)
        , freezer(connection)
    { }

    XcbScreens screens;
    XcbWindowList windowList;
    XcbFrontmostApplication frontmost;
    X11ScreenCapturePermission permission;
    SystemScreenshotTool tool;
    FakeWindowSelection selection;
    XcbScreenFreezer freezer;
    ScreenshotService service { { screens, windowList, frontmost, permission, tool, selection, freezer, nullptr,
        QStringLiteral("trovix") } };
};

// The application state on the real capture stack, the real XTest input and the scrolling
// panels; settings, clipboard and dialogs are fakes. The area picker and our window list
// are the test's choice: the real overlay driven with xdotool, or fakes.
template <typename AreaSelection, typename ApplicationWindows> struct X11Application : FakeSettingsAndOutputs {
    X11Application()
        : state(settings,
            AppStatePorts { clipboard, workspace, dialogs, pinnedWindows, clock, capture.service, areaSelection,
                applicationWindows, &input, &panels })
    { }

    QtClock clock;
    XcbConnection connection;
    X11CaptureStack capture { connection };
    AreaSelection areaSelection;
    ApplicationWindows applicationWindows;
    XTestInputSynthesis input;
    XInputClickMonitor clickMonitor;
    ScrollingCapturePanels panels { &clickMonitor };
    AppState state;
};
