#pragma once

#include "domain/FrozenScreen.h"
#include "domain/Screen.h"

#include <QCoro/QCoroTask>
#include <QRectF>

#include <optional>

// Lets the user drag a rectangle on one screen, shown as its picture taken when the
// selection started.
class AreaSelectionPort {
public:
    virtual ~AreaSelectionPort() = default;

    // Called while the screen settles, before its picture is taken: gets a window ready for
    // the screen so the selection shows at once. A selection on another screen goes without.
    virtual void prepare(const Screen& screen) = 0;

    // A rectangle of whole global points (bottom-left origin) on the frozen screen; none
    // when the user cancels.
    virtual QCoro::Task<std::optional<QRectF>> selectArea(FrozenScreen frozen) = 0;
};
