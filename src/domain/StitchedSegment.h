#pragma once

#include "domain/Image.h"

// One shot of a scrolling capture ready to be stacked: the shot without the band at its top
// that repeats the shot above it.
struct StitchedSegment {
    // The part to stack; the whole shot when nothing (or almost everything) repeated.
    Image image;
    // The shot as captured.
    Image originalImage;
    // Points cut from the top, as decided for this shot, also when the whole shot was kept.
    double topTrim = 0;
};
