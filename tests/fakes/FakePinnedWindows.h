#pragma once

#include "ports/PinnedWindowsPort.h"

#include <vector>

class FakePinnedWindows : public PinnedWindowsPort {
public:
    void pin(const Image& image) override { pinned.push_back(image); }

    std::vector<Image> pinned;
};
