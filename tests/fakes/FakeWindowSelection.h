#pragma once

#include "ports/WindowSelectionPort.h"

class FakeWindowSelection : public WindowSelectionPort {
public:
    std::optional<CapturableWindow> choice;
    QList<QList<CapturableWindow>> offered;

    QCoro::Task<std::optional<CapturableWindow>> selectWindow(QList<CapturableWindow> windows) override
    {
        offered.append(windows);
        // A copy: this QCoro version moves from whatever co_return names.
        co_return std::optional<CapturableWindow>(choice);
    }
};
