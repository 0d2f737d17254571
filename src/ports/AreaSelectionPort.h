#pragma once

#include "domain/Screen.h"

#include <QCoro/QCoroTask>
#include <QRectF>

#include <optional>

// Lets the user drag a rectangle on one screen.
class AreaSelectionPort {
public:
    virtual ~AreaSelectionPort() = default;

    // A rectangle of whole global points (bottom-left origin) on `screen`; none when the
    // user cancels.
    virtual QCoro::Task<std::optional<QRectF>> selectArea(Screen screen) = 0;
};
