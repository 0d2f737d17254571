#pragma once

#include "ports/FrontmostApplicationPort.h"

#include <xcb/xproto.h>

class XcbConnection;
class XcbWindowList;

// The application of the window named by _NET_ACTIVE_WINDOW (the keyboard focus when no
// window manager publishes one); activation asks the window manager through the same
// property's client message.
class XcbFrontmostApplication : public FrontmostApplicationPort {
public:
    XcbFrontmostApplication(XcbConnection& connection, const XcbWindowList& windowList);

    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() const override;
    bool activate(std::int32_t pid) override;

private:
    [[nodiscard]] xcb_window_t activeWindow() const;
    [[nodiscard]] std::optional<std::int32_t> pidOf(xcb_window_t window) const;
    [[nodiscard]] std::optional<QString> applicationIdOf(xcb_window_t window) const;

    XcbConnection& m_connection;
    const XcbWindowList& m_windowList;
};
