#pragma once

#include "app/AppSettings.h"

#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/FakePinnedWindows.h"
#include "fakes/FakeWorkspace.h"
#include "fakes/InMemoryDefaultsStore.h"

// Settings in memory and the places a picture goes out to, all fakes: the part every
// application-state fixture shares, whether its capture road is fake or real.
struct FakeSettingsAndOutputs {
    FakeSettingsAndOutputs()
        : settings(defaults, loginItem, hotkeys)
    { }

    InMemoryDefaultsStore defaults;
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar hotkeys;
    AppSettings settings;
    FakeClipboard clipboard;
    FakeWorkspace workspace;
    FakeDialogs dialogs;
    FakePinnedWindows pinnedWindows;
};
