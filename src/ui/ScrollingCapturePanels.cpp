#include "ui/ScrollingCapturePanels.h"

#include "ui/ScrollingCaptureHUD.h"
#include "ui/ScrollingStepPrompt.h"

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
