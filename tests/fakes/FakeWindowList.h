#pragma once

#include "ports/WindowListPort.h"

class FakeWindowList : public WindowListPort {
public:
    QList<WindowListEntry> entries;

    [[nodiscard]] QList<WindowListEntry> onScreenWindows() const override { return entries; }
};
