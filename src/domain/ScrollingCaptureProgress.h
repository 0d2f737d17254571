#pragma once

#include <QString>

// What an automatic scrolling capture tells the user after each step.
struct ScrollingCaptureProgress {
    QString title;
    QString detail;
    // Shots accepted so far.
    int segmentCount = 0;

    friend bool operator==(const ScrollingCaptureProgress&, const ScrollingCaptureProgress&) = default;
};
