#include "launch/InstanceCommand.h"

#include <array>
#include <utility>

namespace {

using Kind = InstanceCommand::Kind;

const std::array<std::pair<Kind, const char*>, 11> s_actions { {
    { Kind::captureScreen, "capture-screen" },
    { Kind::captureArea, "capture-area" },
    { Kind::captureWindow, "capture-window" },
    { Kind::captureActiveWindow, "capture-active-window" },
    { Kind::captureDelayed, "capture-delayed" },
    { Kind::captureScrolling, "capture-scrolling" },
    { Kind::addAreaCapture, "capture-add-area" },
    { Kind::recognizeText, "recognize" },
    { Kind::show, "show" },
    { Kind::showSettings, "settings" },
    { Kind::quit, "quit" },
} };

} // namespace

namespace InstanceCommands {

std::optional<QString> actionName(Kind kind)
{
    for (const auto& [candidate, name] : s_actions) {
        if (candidate == kind)
            return QString::fromLatin1(name);
    }
    return std::nullopt;
}

std::optional<Kind> fromActionName(const QString& name)
{
    for (const auto& [kind, candidate] : s_actions) {
        if (name == QLatin1String(candidate))
            return kind;
    }
    return std::nullopt;
}

QStringList actionNames()
{
    QStringList names;
    for (const auto& action : s_actions)
        names.append(QString::fromLatin1(action.second));
    return names;
}

QStringList toArguments(const InstanceCommand& command)
{
    switch (command.kind) {
    case Kind::show:
        return { QStringLiteral("show") };
    case Kind::startInBackground:
        return { QStringLiteral("--service") };
    case Kind::open:
        return QStringList { QStringLiteral("open"), QStringLiteral("--") } + command.files;
    default:
        break;
    }
    const QString name = *actionName(command.kind);
    // "capture-area" is `trovix capture area`.
    if (name.startsWith(QLatin1String("capture-")))
        return { QStringLiteral("capture"), name.mid(8) };
    return { name };
}

} // namespace InstanceCommands
