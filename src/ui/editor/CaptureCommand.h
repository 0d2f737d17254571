#pragma once

// The captures the editor can ask for. The editor only asks: whoever owns the capture
// workflows connects to the request and runs them.
enum class CaptureCommand {
    area,
    fullScreen,
    addToCanvas,
    delayed,
    anyWindow,
};
