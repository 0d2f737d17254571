#pragma once

#include "launch/ShotRequest.h"

// `trovix shot`: captures through the screenshot tool (the desktop's portal in a Wayland
// session) and writes the PNG to a file (atomically), to standard output, or onto the
// clipboard, which it then serves until another program owns the clipboard. Makes its own
// application object; gives the process's exit status, with the reason of a failure on
// standard error.
namespace OneShotCapture {

[[nodiscard]] int run(const ShotRequest& request, int& argc, char** argv);

} // namespace OneShotCapture
