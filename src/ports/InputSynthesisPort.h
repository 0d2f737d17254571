#pragma once

#include "domain/ScrollingCaptureDirection.h"

#include <QString>

#include <optional>

// Synthetic input for scrolling another application's window. The pointer never moves: keys go
// to whatever has the keyboard focus, the wheel to whatever lies under the pointer.
class InputSynthesisPort {
public:
    virtual ~InputSynthesisPort() = default;

    // One Page Down (down) or Page Up (up), pressed and released.
    // Throws ScrollingCaptureAutomationError when the input cannot be sent.
    virtual void pressPageKey(ScrollingCaptureDirection direction) = 0;
    // Turns the wheel by about 720 pixels of content: towards the end of the document for down.
    // Throws ScrollingCaptureAutomationError when the input cannot be sent.
    virtual void scrollWheelStep(ScrollingCaptureDirection direction) = 0;

    // Why no input can reach other programs at all on this desktop, to be told before a run
    // starts; none where sending can work.
    [[nodiscard]] virtual std::optional<QString> unavailableReason() const { return std::nullopt; }
};
