#pragma once

#include "domain/CapturableWindow.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <optional>

// Lets the user pick one of the windows by pointing at it.
class WindowSelectionPort {
public:
    virtual ~WindowSelectionPort() = default;

    // None when the user cancels.
    virtual QCoro::Task<std::optional<CapturableWindow>> selectWindow(QList<CapturableWindow> windows) = 0;
};
