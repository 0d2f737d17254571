#pragma once

#include <QString>

// Terminal emulators hand every key to the program in them: a synthetic Page Down scrolls
// nothing there and lands on the shell's command line as an escape sequence. Their history
// scrolls with the wheel.
namespace TerminalApplications {

// Whether the application id (the lower-cased WM_CLASS class on X11) is a known terminal.
[[nodiscard]] bool isTerminal(const QString& applicationId);

} // namespace TerminalApplications
