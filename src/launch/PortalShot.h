#pragma once

#include "launch/ShotRequest.h"

#include <QByteArray>
#include <QString>

// `trovix shot` in a Wayland session: the desktop's screenshot portal takes the picture and
// the compositor's output layout says where each screen lies in it. Screens are numbered in
// the compositor's order and regions are in the desktop's logical pixels. A screen comes at
// its own scale; a region or the whole desktop at the picture's density (the largest scale).
namespace PortalShot {

struct Result {
    QByteArray png;
    QString error;
};

// Runs its own event loop while the portal works.
[[nodiscard]] Result capture(const ShotRequest& request);

} // namespace PortalShot
