#pragma once

// The captures the tray menu starts. The main menu's and the "more" menu's scrolling
// items are the same command: a scrolling capture that scrolls down.
enum class TrayCaptureCommand {
    captureScreen,
    captureArea,
    captureAfterDelay, // three seconds
    captureScrolling,
    addCapture,
    captureActiveWindow,
    captureAnyWindow,
};
