#pragma once

#include "domain/DesktopOutput.h"

#include <QList>

// The outputs of the Wayland desktop this process runs in, asked of the compositor itself.
// Trovix's windows may live on XWayland, where the toolkit sees every output at scale 1;
// this is where each output's real scale and logical place come from.
namespace WaylandOutputs {

// Whether this is a Wayland session (WAYLAND_DISPLAY set).
[[nodiscard]] bool isWaylandSession();

// In the compositor's order. Throws PlatformError when there is no compositor to ask or it
// does not describe its outputs' logical layout (xdg-output).
[[nodiscard]] QList<DesktopOutput> read();

} // namespace WaylandOutputs
