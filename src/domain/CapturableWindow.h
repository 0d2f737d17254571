#pragma once

#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>

// One on-screen window that may be captured. The frame is in global screen points:
// origin at the bottom-left of the main screen, y growing upwards.
struct CapturableWindow {
    std::uint32_t id = 0;
    std::optional<std::int32_t> ownerPID;
    QString ownerName;
    QString title;
    QRectF frame;

    friend bool operator==(const CapturableWindow&, const CapturableWindow&) = default;
};
