#include "ui/capture/ScrollingCapturePanels.h"

#include "ui/capture/ScrollingCaptureHUD.h"
#include "ui/capture/ScrollingStepPrompt.h"

ScrollingCapturePanels::ScrollingCapturePanels(ClickMonitorPort* clickMonitor)
    : m_clickMonitor(clickMonitor)
{ }

std::unique_ptr<ScrollingCaptureHUDPort> ScrollingCapturePanels::makeHUD(const Screen& screen)
{
    return std::make_unique<ScrollingCaptureHUD>(screen, m_clickMonitor, m_decorator);
}

std::unique_ptr<ScrollingCapturePromptPort> ScrollingCapturePanels::makePrompt()
{
    return std::make_unique<ScrollingStepPrompt>(m_decorator);
}
