#pragma once

#include "domain/Image.h"
#include "domain/Screen.h"

// A screen and the picture of it taken when a selection started. The selection overlays show
// the picture instead of the live screen, and an area capture is cut from it, so the capture
// holds exactly the pixels the user looked at while selecting.
struct FrozenScreen {
    Screen screen;
    // Pixels at the screen's own density; its point size is the screen frame's size.
    Image picture;
};
