#pragma once

#include "domain/ScrollingCaptureAutomationError.h"
#include "ports/InputSynthesisPort.h"

#include <QList>

// Remembers the inputs; sends nothing anywhere.
class FakeInputSynthesis : public InputSynthesisPort {
public:
    QList<ScrollingCaptureDirection> pageKeys;
    QList<ScrollingCaptureDirection> wheelSteps;
    bool fails = false;

    void pressPageKey(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        pageKeys.append(direction);
    }
    void scrollWheelStep(ScrollingCaptureDirection direction) override
    {
        if (fails)
            throw ScrollingCaptureAutomationError();
        wheelSteps.append(direction);
    }
};
