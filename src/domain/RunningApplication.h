#pragma once

#include <QString>

#include <optional>

// Another program on the desktop, as far as activation needs to know it. On X11 the
// application id is the WM_CLASS class of its window.
struct RunningApplication {
    qint64 processId = 0;
    std::optional<QString> applicationId;
    QString name;

    friend bool operator==(const RunningApplication&, const RunningApplication&) = default;
};
