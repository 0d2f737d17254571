#pragma once

#include "domain/FrozenScreen.h"

#include <QCoro/QCoroTask>
#include <QList>

// Takes one picture of each screen at one moment, without anything of ours on top: the
// selection overlays show these pictures, so they work with or without a compositor.
class ScreenFreezePort {
public:
    virtual ~ScreenFreezePort() = default;

    // Called as a capture begins, before the pause that lets the window system settle: what
    // does not depend on the screen's contents (memory for the pictures) can be made ready
    // then. A freeze works without it.
    virtual void prepare(const QList<Screen>& screens) { static_cast<void>(screens); }

    // In the order given. Throws ScreenshotError when a screen cannot be read.
    virtual QCoro::Task<QList<FrozenScreen>> freeze(QList<Screen> screens) = 0;
};
