#pragma once

#include "domain/FrozenScreen.h"

#include <QCoro/QCoroTask>
#include <QRectF>

#include <optional>

// Lets the user drag a rectangle on one screen, shown as its picture taken when the
// selection started.
class AreaSelectionPort {
public:
    virtual ~AreaSelectionPort() = default;

    // A rectangle of whole global points (bottom-left origin) on the frozen screen; none
    // when the user cancels.
    virtual QCoro::Task<std::optional<QRectF>> selectArea(FrozenScreen frozen) = 0;
};
