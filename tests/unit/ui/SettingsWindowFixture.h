#pragma once

#include "app/AppSettings.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHotkeyRegistrar.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/InMemoryDefaultsStore.h"
#include "ui/settings/SettingsWindow.h"

#include <gtest/gtest.h>

#include <QWidget>

// A settings window over settings in memory: what the controls wrote is read back
// from the store in its stored type.
class SettingsWindowFixture : public testing::Test {
protected:
    template <typename Control> Control* control(const QString& name)
    {
        auto* found = window.findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    [[nodiscard]] std::optional<DefaultsStore::Value> stored(const QString& key) const { return store.value(key); }

    InMemoryDefaultsStore store;
    FakeLoginItem loginItem;
    FakeHotkeyRegistrar registrar;
    AppSettings settings { store, loginItem, registrar };
    FakeDialogs dialogs;
    SettingsWindow window { settings, registrar, dialogs, [] {} };
};
