#pragma once

// How a lower shot continues an upper one. Lengths are points of the lower shot.
struct StitchAnalysis {
    // The band at the top of the lower shot that repeats the upper shot: the part to cut.
    double topTrim = 0;
    // The matched band and its distance from the top of the lower shot.
    double overlapHeight = 0;
    double overlapStart = 0;
    // Mean colour difference (0–255) of the chosen alignment, or of the whole shots when
    // no alignment was used.
    double score = 0;
    // Lower height minus the trim, at least 0.
    double newContentHeight = 0;
    // The lower shot adds nothing worth keeping.
    bool hasNoNewContent = false;

    friend bool operator==(const StitchAnalysis&, const StitchAnalysis&) = default;
};
