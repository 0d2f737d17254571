#pragma once

#include "app/AppSettings.h"
#include "app/AppState.h"
#include "services/ScreenshotService.h"

#include "fakes/FakeApplicationWindows.h"
#include "fakes/FakeAreaSelection.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeDisplayCapture.h"
#include "fakes/FakeFrontmostApplication.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeInputSynthesis.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/FakePinnedWindows.h"
#include "fakes/FakeScreenCapturePermission.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeScreenshotTool.h"
#include "fakes/FakeScrollingPanels.h"
#include "fakes/FakeWindowList.h"
#include "fakes/FakeWindowSelection.h"
#include "fakes/FakeWorkspace.h"
#include "fakes/InMemoryDefaultsStore.h"

// The application state on fake ports, with every fake reachable by name. Test fixtures
// derive from it, so `state`, `settings`, `clipboard` and the rest read as their own members.
struct AppStateWithFakes {
    AppStateWithFakes()
        : settings(defaults, loginItem, hotkeys)
        , screenshots(ScreenshotService::Collaborators { .screens = screens,
              .windowList = windowList,
              .frontmostApplication = frontmostApplication,
              .permission = permission,
              .tool = tool,
              .windowSelection = windowSelection,
              .displayCapture = &displayCapture,
              .ownApplicationId = QStringLiteral("trovix") })
        , state(settings,
              AppStatePorts { clipboard, workspace, dialogs, pinnedWindows, clock, screenshots, areaSelection,
                  applicationWindows, &inputSynthesis, &scrollingPanels })
    { }

    InMemoryDefaultsStore defaults;
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar hotkeys;
    AppSettings settings;
    FakeClipboard clipboard;
    FakeWorkspace workspace;
    FakeDialogs dialogs;
    FakePinnedWindows pinnedWindows;
    FakeClock clock;
    // The capture backends; the display capture leaves our windows out only when told to.
    FakeScreens screens;
    FakeWindowList windowList;
    FakeFrontmostApplication frontmostApplication;
    FakeScreenCapturePermission permission;
    FakeScreenshotTool tool;
    FakeWindowSelection windowSelection;
    FakeDisplayCapture displayCapture;
    ScreenshotService screenshots;
    FakeAreaSelection areaSelection;
    FakeApplicationWindows applicationWindows;
    // The scrolling capture's input and panels.
    FakeInputSynthesis inputSynthesis;
    FakeScrollingPanels scrollingPanels;
    AppState state;
};
