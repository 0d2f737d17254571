#pragma once

#include "domain/CapturableWindow.h"
#include "domain/FrozenScreen.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <optional>

// Lets the user pick one of the windows by pointing at it, over pictures of the screens.
class WindowSelectionPort {
public:
    virtual ~WindowSelectionPort() = default;

    // None when the user cancels.
    virtual QCoro::Task<std::optional<CapturableWindow>> selectWindow(
        QList<CapturableWindow> windows, QList<FrozenScreen> screens)
        = 0;
};
