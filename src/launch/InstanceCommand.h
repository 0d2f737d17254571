#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What a launch asks the running instance to do: the same commands the tray and the
// global shortcuts give, a file to open, or only to come forward.
struct InstanceCommand {
    enum class Kind {
        show,
        // Started by the session bus for a request that follows: nothing to show yet.
        startInBackground,
        captureScreen,
        captureArea,
        captureWindow,
        captureActiveWindow,
        captureDelayed,
        captureScrolling,
        addAreaCapture,
        recognizeText,
        showSettings,
        quit,
        open,
    };

    Kind kind = Kind::show;
    // Absolute paths, for `open` only.
    QStringList files;

    friend bool operator==(const InstanceCommand&, const InstanceCommand&) = default;
};

namespace InstanceCommands {

// The desktop file's action ids and org.freedesktop.Application action names:
// "capture-area", "recognize", "quit", ... None for `open`, which travels as Open.
[[nodiscard]] std::optional<QString> actionName(InstanceCommand::Kind kind);
[[nodiscard]] std::optional<InstanceCommand::Kind> fromActionName(const QString& name);

// Every action the application offers on the bus, in the tray's order.
[[nodiscard]] QStringList actionNames();

// The command as the arguments of an equivalent `trovix` launch; parsing them gives the
// command back. The single-instance socket carries these.
[[nodiscard]] QStringList toArguments(const InstanceCommand& command);

} // namespace InstanceCommands
