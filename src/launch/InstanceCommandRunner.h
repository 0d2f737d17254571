#pragma once

#include "launch/InstanceCommand.h"

#include <functional>

class AppState;

// Runs a command that reached the instance (from its own command line, a later launch or
// the session bus) the way the tray item or the global shortcut of the same name does.
class InstanceCommandRunner {
public:
    struct WindowCommands {
        std::function<void()> showSettings;
        std::function<void()> quit;
    };

    InstanceCommandRunner(AppState& state, WindowCommands windows);

    void run(const InstanceCommand& command);

private:
    void open(const QStringList& files);

    AppState& m_state;
    WindowCommands m_windows;
};
