#pragma once

#include "domain/ScrollingCaptureAutomationError.h"
#include "ports/InputSynthesisPort.h"

#include <QList>

// Remembers the inputs and passes them on to `forwardTo` (a fake page) when set.
class FakeInputSynthesis : public InputSynthesisPort {
public:
    QList<ScrollingCaptureDirection> pageKeys;
    QList<ScrollingCaptureDirection> wheelSteps;
    bool fails = false;
    InputSynthesisPort* forwardTo = nullptr;

    void pressPageKey(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        pageKeys.append(direction);
        if (forwardTo)
            forwardTo->pressPageKey(direction);
    }
    void scrollWheelStep(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        wheelSteps.append(direction);
        if (forwardTo)
            forwardTo->scrollWheelStep(direction);
    }
};
