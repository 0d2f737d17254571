#pragma once

// Which way a scrolling capture moves through the document. Lists of shots always run from
// the top of the document down, whichever way the content scrolled.
enum class ScrollingCaptureDirection { down, up };
