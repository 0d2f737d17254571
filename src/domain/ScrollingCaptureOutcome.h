#pragma once

#include "domain/Image.h"

#include <vector>

// Why an automatic scrolling capture stopped.
enum class ScrollingCaptureOutcome {
    // No new content came after at least one successful step: the end of the page.
    completed,
    // The shots reached the configured height, or the step budget ran out.
    reachedMaxHeight,
    // Not a single step brought new content.
    couldNotContinue,
    stoppedByUser,
};

struct ScrollingCaptureRunResult {
    // Top of the document first.
    std::vector<Image> captures;
    ScrollingCaptureOutcome outcome = ScrollingCaptureOutcome::completed;
};
