#pragma once

#include "app/AppState.h"

#include "app/AppSettings.h"

#include "fakes/FakeClipboard.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePinnedWindows.h"
#include "fakes/FakeEditorWindow.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/FakeWorkspace.h"
#include "fakes/InMemoryDefaultsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class AppStateTest : public testing::Test {
protected:
    AppStateTest()
        : settings(defaults, loginItem, hotkeys)
        , state(settings, AppStatePorts { clipboard, workspace, dialogs, pinnedWindows, clock })
    {
    }

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
    AppState state;
};
