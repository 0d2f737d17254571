#pragma once

#include "app/AppState.h"

#include "app/AppSettings.h"

#include "fakes/FakeApplicationWindows.h"
#include "fakes/FakeAreaSelection.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeDisplayCapture.h"
#include "fakes/FakeEditorWindow.h"
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
#include "services/ScreenshotService.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class AppStateTest : public testing::Test {
protected:
    AppStateTest()
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

    static Image solidImage(QSize pixels, QColor color, QSizeF points = {})
    {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(color);
        return points.isEmpty() ? Image(image) : Image(image, points);
    }

    void drag(AnnotationTool tool, QPointF from, QPointF to, std::vector<QPointF> points = {})
    {
        state.selectedTool.set(tool);
        if (points.empty())
            points = { from, to };
        state.addDragAnnotation(from, to, points);
    }

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
