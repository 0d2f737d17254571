#include "platform/wayland/WaylandInputSynthesis.h"

#include "domain/ScrollingCaptureAutomationError.h"

void WaylandInputSynthesis::pressPageKey(ScrollingCaptureDirection)
{
    throw ScrollingCaptureAutomationError();
}

void WaylandInputSynthesis::scrollWheelStep(ScrollingCaptureDirection)
{
    throw ScrollingCaptureAutomationError();
}

std::optional<QString> WaylandInputSynthesis::unavailableReason() const
{
    return QStringLiteral(
        "Automatic scrolling capture needs an X11 session: in a Wayland session Trovix cannot "
        "scroll other programs' windows. Choose Manual as the scrolling capture mode in Settings, or log in to an "
        "X11 session.");
}
