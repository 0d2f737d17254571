#pragma once

#include "ports/ScrollingCapturePanelsPort.h"

#include <functional>

class ClickMonitorPort;
class QWidget;

// Makes the Qt panels of the scrolling capture.
class ScrollingCapturePanels : public ScrollingCapturePanelsPort {
public:
    // `clickMonitor` (may be null) lets the HUD notice clicks in other applications.
    explicit ScrollingCapturePanels(ClickMonitorPort* clickMonitor);
    // Hints the desktop needs on each panel window before it shows.
    void setWindowDecorator(std::function<void(QWidget&)> decorator) { m_decorator = std::move(decorator); }

    [[nodiscard]] std::unique_ptr<ScrollingCaptureHUDPort> makeHUD(const Screen& screen) override;
    [[nodiscard]] std::unique_ptr<ScrollingCapturePromptPort> makePrompt() override;

private:
    ClickMonitorPort* m_clickMonitor;
    std::function<void(QWidget&)> m_decorator;
};
