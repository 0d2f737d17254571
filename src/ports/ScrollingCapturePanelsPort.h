#pragma once

#include "domain/Screen.h"
#include "domain/ScrollingCaptureDecision.h"
#include "domain/ScrollingCaptureDirection.h"
#include "domain/ScrollingCaptureProgress.h"

#include <QCoro/QCoroTask>

#include <memory>

// The floating panels of a scrolling capture. Neither ever takes the keyboard focus from the
// application being scrolled: that application must keep receiving the Page Down keys.

// The progress display of an automatic run; lets the user stop it.
class ScrollingCaptureHUDPort {
public:
    virtual ~ScrollingCaptureHUDPort() = default;

    virtual void update(const ScrollingCaptureProgress& progress) = 0;
    virtual void orderFrontRegardless() = 0;
    virtual void orderOut() = 0;
    // From now on a click anywhere asks the run to stop.
    virtual void installClickMonitors() = 0;
    virtual void removeClickMonitors() = 0;
    [[nodiscard]] virtual bool isStopRequested() const = 0;
};

// The step prompt of a manual run.
class ScrollingCapturePromptPort {
public:
    virtual ~ScrollingCapturePromptPort() = default;

    // Shows the prompt for shot `step` and waits for the user's answer; closing it cancels.
    virtual QCoro::Task<ScrollingCaptureDecision> present(int step, ScrollingCaptureDirection direction, Screen screen)
        = 0;
    virtual void orderOut() = 0;
};

class ScrollingCapturePanelsPort {
public:
    virtual ~ScrollingCapturePanelsPort() = default;

    // Placed in the top-right corner of the screen's work area, not yet shown.
    [[nodiscard]] virtual std::unique_ptr<ScrollingCaptureHUDPort> makeHUD(const Screen& screen) = 0;
    [[nodiscard]] virtual std::unique_ptr<ScrollingCapturePromptPort> makePrompt() = 0;
};
