#pragma once

#include "ports/ScrollingCapturePanelsPort.h"

class ClickMonitorPort;

// Makes the Qt panels of the scrolling capture.
class ScrollingCapturePanels : public ScrollingCapturePanelsPort {
public:
    // `clickMonitor` (may be null) lets the HUD notice clicks in other applications.
    explicit ScrollingCapturePanels(ClickMonitorPort* clickMonitor);

    [[nodiscard]] std::unique_ptr<ScrollingCaptureHUDPort> makeHUD(const Screen& screen) override;
    [[nodiscard]] std::unique_ptr<ScrollingCapturePromptPort> makePrompt() override;

private:
    ClickMonitorPort* m_clickMonitor;
};
