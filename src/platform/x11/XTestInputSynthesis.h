#pragma once

#include "ports/InputSynthesisPort.h"

#include <QByteArray>

#include <xcb/xcb.h>

#include <memory>

class XcbConnection;

// Synthetic key presses and wheel turns through the XTEST extension, on a connection of its
// own opened at the first use, so that a desktop without XTEST shows up as the scrolling
// capture's own error rather than at start-up.
class XTestInputSynthesis : public InputSynthesisPort {
public:
    // A null display name means $DISPLAY.
    explicit XTestInputSynthesis(const char* displayName = nullptr);
    ~XTestInputSynthesis() override;

    void pressPageKey(ScrollingCaptureDirection direction) override;
    void scrollWheelStep(ScrollingCaptureDirection direction) override;

    // Wheel clicks of one step. Qt widgets scroll 3 lines of 20 pixels per click, Chromium
    // about 53 and Firefox about 57 pixels, so 12 clicks come to the 720 pixels of a step
    // (a little less in the browsers).
    static constexpr int wheelClicksPerStep = 12;

private:
    XcbConnection& connection();
    [[nodiscard]] xcb_keycode_t keycodeFor(std::uint32_t keysym);
    // Sends the event and waits for the server's verdict; throws when it refuses.
    void fakeInput(std::uint8_t type, std::uint8_t detail);

    QByteArray m_displayName;
    bool m_hasDisplayName;
    std::unique_ptr<XcbConnection> m_connection;
};
