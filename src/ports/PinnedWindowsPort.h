#pragma once

#include "domain/Image.h"

// Floating windows that keep an image in view; each pin opens one more, kept for the
// life of the process.
class PinnedWindowsPort {
public:
    virtual ~PinnedWindowsPort() = default;
    virtual void pin(const Image& image) = 0;
};
