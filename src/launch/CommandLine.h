#pragma once

#include "launch/InstanceCommand.h"
#include "launch/ShotRequest.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

// The command line of `trovix`: a verb for the running instance (`capture area`, `open
// FILE`), `shot` for a picture without the application, or help and version. Pure, so
// that every form is tested without a desktop.
namespace CommandLine {

struct Help {
    friend bool operator==(const Help&, const Help&) = default;
};
struct Version {
    friend bool operator==(const Version&, const Version&) = default;
};
struct UsageError {
    QString message;
    friend bool operator==(const UsageError&, const UsageError&) = default;
};

using Request = std::variant<InstanceCommand, ShotRequest, Help, Version, UsageError>;

// What a launch can see of the file system: relative paths are resolved against
// workingDirectory before they travel to another process.
struct Context {
    QString workingDirectory;
    std::function<bool(const QString& path)> fileExists;
};

// `arguments` without the program name.
[[nodiscard]] Request parse(const QStringList& arguments, const Context& context);

[[nodiscard]] QString usage();

} // namespace CommandLine
