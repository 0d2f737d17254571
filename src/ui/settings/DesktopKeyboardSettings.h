#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The page of the desktop's own settings where its keyboard shortcuts are turned
// off, for when a desktop shortcut shadows one of ours. Each desktop has its own
// program for it.
namespace DesktopKeyboardSettings {

struct Command {
    QString program;
    QStringList arguments;
    friend bool operator==(const Command&, const Command&) = default;
};

// The current desktop's program first (currentDesktop is XDG_CURRENT_DESKTOP, a
// colon-separated list), else any installed one; none when nothing is installed.
[[nodiscard]] std::optional<Command> command(
    const QString& currentDesktop, const std::function<bool(const QString& program)>& isInstalled);

// Started detached, so it outlives us; false when it could not be started.
bool open(const Command& command);

} // namespace DesktopKeyboardSettings
