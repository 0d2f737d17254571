#pragma once

#include "app/AppState.h"
#include "services/ScreenshotService.h"

#include "fakes/FakeApplicationWindows.h"
#include "fakes/FakeAreaSelection.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDisplayCapture.h"
#include "fakes/FakeFrontmostApplication.h"
#include "fakes/FakeInputSynthesis.h"
#include "fakes/FakeScreenCapturePermission.h"
#include "fakes/FakeScreenFreeze.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeScreenshotTool.h"
#include "fakes/FakeScrollingPanels.h"
#include "fakes/FakeSettingsAndOutputs.h"
#include "fakes/FakeWindowList.h"
#include "fakes/FakeWindowSelection.h"

// The application state on fake ports, with every fake reachable by name. Test fixtures
// derive from it, so `state`, `settings`, `clipboard` and the rest read as their own members.
struct AppStateWithFakes : FakeSettingsAndOutputs {
    AppStateWithFakes()
        : screenshots(ScreenshotService::Collaborators { .screens = screens,
            .windowList = windowList,
            .frontmostApplication = frontmostApplication,
            .permission = permission,
            .tool = tool,
            .windowSelection = windowSelection,
            .screenFreeze = screenFreeze,
            .displayCapture = &displayCapture,
            .ownApplicationId = QStringLiteral("trovix") })
        , state(settings,
              AppStatePorts { clipboard, workspace, dialogs, pinnedWindows, clock, screenshots, areaSelection,
                  applicationWindows, &inputSynthesis, &scrollingPanels })
    { }

    FakeClock clock;
    // The capture backends; the display capture leaves our windows out only when told to.
    FakeScreens screens;
    FakeWindowList windowList;
    FakeFrontmostApplication frontmostApplication;
    FakeScreenCapturePermission permission;
    FakeScreenshotTool tool;
    FakeWindowSelection windowSelection;
    FakeScreenFreeze screenFreeze;
    FakeDisplayCapture displayCapture;
    ScreenshotService screenshots;
    FakeAreaSelection areaSelection;
    FakeApplicationWindows applicationWindows;
    // The scrolling capture's input and panels.
    FakeInputSynthesis inputSynthesis;
    FakeScrollingPanels scrollingPanels;
    AppState state;
};
