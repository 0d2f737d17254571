#pragma once

#include "domain/ScrollingCaptureAutomationError.h"
#include "ports/InputSynthesisPort.h"

// Passes the inputs on to `forwardTo` (a fake page) when set, or fails them all; `reason`
// plays a desktop where no input can be sent at all.
class FakeInputSynthesis : public InputSynthesisPort {
public:
    bool fails = false;
    InputSynthesisPort* forwardTo = nullptr;
    std::optional<QString> reason;

    [[nodiscard]] std::optional<QString> unavailableReason() const override { return reason; }

    void pressPageKey(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        if (forwardTo)
            forwardTo->pressPageKey(direction);
    }
    void scrollWheelStep(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        if (forwardTo)
            forwardTo->scrollWheelStep(direction);
    }
};
