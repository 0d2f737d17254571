#pragma once

#include "ports/WindowSelectionPort.h"

class FakeWindowSelection : public WindowSelectionPort {
public:
    std::optional<CapturableWindow> choice;
    QList<QList<CapturableWindow>> offered;
    QList<QList<FrozenScreen>> screensShown;

    QCoro::Task<std::optional<CapturableWindow>> selectWindow(
        QList<CapturableWindow> windows, QList<FrozenScreen> screens) override
    {
        offered.append(windows);
        screensShown.append(screens);
        // A copy: this QCoro version moves from whatever co_return names.
        co_return std::optional<CapturableWindow>(choice);
    }
};
