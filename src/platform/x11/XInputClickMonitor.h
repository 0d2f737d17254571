#pragma once

#include "ports/ClickMonitorPort.h"

#include <QByteArray>

// Watches button presses through XInput 2 raw events on the root window. Raw events are copies
// sent to every client that asks for them, so the click still reaches its window: nothing is
// grabbed and no window is put in the pointer's way. Each watch has its own connection.
class XInputClickMonitor : public ClickMonitorPort {
public:
    // A null display name means $DISPLAY.
    explicit XInputClickMonitor(const char* displayName = nullptr);

    [[nodiscard]] std::unique_ptr<Watch> watchClicks(std::function<void()> onClick) override;

private:
    QByteArray m_displayName;
    bool m_hasDisplayName;
};
