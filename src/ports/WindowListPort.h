#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>

// One window as the window system describes it. Every field may be missing, because the
// window system promises none of them; the screenshot service decides what is usable.
struct WindowListEntry {
    std::optional<std::int64_t> number;
    // Global points (bottom-left origin), already converted by the platform layer.
    std::optional<QRectF> frame;
    std::optional<QString> ownerName;
    std::optional<std::int32_t> ownerPID;
    std::optional<QString> title;
    // 0 for ordinary application windows; docks, panels, menus and the like are above it.
    std::optional<int> layer;
    std::optional<double> alpha;
    // 0 marks a window the system will not share.
    std::optional<int> sharingState;
    // The owning application's identifier (the window class on X11).
    std::optional<QString> applicationId;
};

class WindowListPort {
public:
    virtual ~WindowListPort() = default;

    // On-screen windows without desktop elements, front to back.
    [[nodiscard]] virtual QList<WindowListEntry> onScreenWindows() const = 0;
};
