#pragma once

#include "ports/WindowListPort.h"

class XcbConnection;
class XcbScreens;

// The managed windows in the window manager's stacking order (_NET_CLIENT_LIST_STACKING),
// front to back; without a window manager, the mapped top-level windows of the root.
// Frames are the client windows' own rectangles, without decorations.
class XcbWindowList : public WindowListPort {
public:
    XcbWindowList(XcbConnection& connection, const XcbScreens& screens);

    [[nodiscard]] QList<WindowListEntry> onScreenWindows() const override;

    // Front to back, before any filtering.
    [[nodiscard]] QList<std::uint32_t> stackingOrder() const;

private:
    XcbConnection& m_connection;
    const XcbScreens& m_screens;
};
