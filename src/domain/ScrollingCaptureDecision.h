#pragma once

// The user's answer to the step prompt of a manual scrolling capture.
enum class ScrollingCaptureDecision { captureNext, finish, cancel };
