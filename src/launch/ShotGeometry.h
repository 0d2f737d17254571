#pragma once

#include "launch/ShotRequest.h"

#include <QList>
#include <QRect>
#include <QString>

#include <variant>

// Which root rectangle `trovix shot` captures. Root pixels, origin at the top-left of the
// whole desktop, which is also what the screenshot tool's -R takes.
namespace ShotGeometry {

struct Refusal {
    QString message;
};

// `monitors` in the desktop's order; `root` is the whole desktop.
[[nodiscard]] std::variant<QRect, Refusal> rectangle(
    const ShotRequest& request, const QRect& root, const QList<QRect>& monitors);

} // namespace ShotGeometry
