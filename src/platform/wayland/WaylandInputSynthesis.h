#pragma once

#include "ports/InputSynthesisPort.h"

// Input synthesis in a Wayland session: XTest reaches only XWayland's windows, and the
// compositor lets no client send input to others, so automatic scrolling is not offered.
class WaylandInputSynthesis : public InputSynthesisPort {
public:
    void pressPageKey(ScrollingCaptureDirection direction) override;
    void scrollWheelStep(ScrollingCaptureDirection direction) override;
    [[nodiscard]] std::optional<QString> unavailableReason() const override;
};
