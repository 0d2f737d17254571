#include "launch/CommandLine.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace CommandLine {

namespace {

using Kind = InstanceCommand::Kind;

struct Verb {
    const char* name;
    Kind kind;
};

const Verb s_captureKinds[] = {
    { "screen", Kind::captureScreen },
    { "area", Kind::captureArea },
    { "window", Kind::captureWindow },
    { "active-window", Kind::captureActiveWindow },
    { "delayed", Kind::captureDelayed },
    { "scrolling", Kind::captureScrolling },
    { "add-area", Kind::addAreaCapture },
};

const Verb s_plainVerbs[] = {
    { "recognize", Kind::recognizeText },
    { "show", Kind::show },
    { "settings", Kind::showSettings },
    { "quit", Kind::quit },
};

std::optional<Kind> findVerb(const auto& verbs, const QString& name)
{
    for (const Verb& verb : verbs) {
        if (name == QLatin1String(verb.name))
            return verb.kind;
    }
    return std::nullopt;
}

// A file:// address (as file managers hand over) or a path relative to the launch's folder;
// empty for an address of another kind, which is not ours to fetch.
QString absolutePath(const QString& argument, const Context& context)
{
    if (argument.startsWith(QLatin1String("file:")))
        return QUrl(argument).toLocalFile();
    static const QRegularExpression otherAddress(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (otherAddress.match(argument).hasMatch())
        return {};
    return QDir::cleanPath(QDir(context.workingDirectory).absoluteFilePath(argument));
}

Request parseOpen(const QStringList& files, const Context& context)
{
    InstanceCommand command { .kind = Kind::open, .files = {} };
    bool optionsEnded = false;
    for (const QString& file : files) {
        if (!optionsEnded && file == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && file.startsWith(QLatin1Char('-')) && file != QLatin1String("-"))
            return UsageError { QStringLiteral("unknown option \"%1\" for open").arg(file) };
        const QString path = absolutePath(file, context);
        if (path.isEmpty())
            return UsageError { QStringLiteral("\"%1\" is not a local file").arg(file) };
        command.files.append(path);
    }
    if (command.files.isEmpty())
        return UsageError { QStringLiteral("open needs at least one file") };
    return command;
}

std::optional<QRect> parseRegion(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4] {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (values[0] < 0 || values[1] < 0 || values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

// Splits "--name=value" and takes "--name value" from the following argument.
struct OptionReader {
    const QStringList& arguments;
    qsizetype index = 0;

    std::optional<QString> value(const QString& argument, const QString& name, QString& error)
    {
        if (argument.startsWith(name + QLatin1Char('=')))
            return argument.mid(name.size() + 1);
        if (index + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(name);
            return std::nullopt;
        }
        return arguments.at(++index);
    }
};

bool isOption(const QString& argument, const char* name)
{
    const QLatin1String option(name);
    return argument == option || (argument.startsWith(option) && argument.mid(option.size()).startsWith(u'='));
}

Request parseShot(const QStringList& arguments, const Context& context)
{
    ShotRequest shot;
    OptionReader reader { arguments };
    QString error;
    for (; reader.index < arguments.size(); ++reader.index) {
        const QString argument = arguments.at(reader.index);
        if (isOption(argument, "--screen")) {
            const std::optional<QString> text = reader.value(argument, QStringLiteral("--screen"), error);
            bool ok = false;
            const int screen = text ? text->toInt(&ok) : -1;
            if (!text || !ok || screen < 0)
                return UsageError { text ? QStringLiteral("--screen needs a screen number from 0") : error };
            shot.screen = screen;
        } else if (isOption(argument, "--region")) {
            const std::optional<QString> text = reader.value(argument, QStringLiteral("--region"), error);
            shot.region = text ? parseRegion(*text) : std::nullopt;
            if (!shot.region)
                return UsageError { text ? QStringLiteral("--region needs X,Y,W,H with a width and height above 0")
                                         : error };
        } else if (isOption(argument, "--output")) {
            const std::optional<QString> text = reader.value(argument, QStringLiteral("--output"), error);
            if (!text || text->isEmpty())
                return UsageError { text ? QStringLiteral("--output needs a file name or -") : error };
            shot.output = *text == QLatin1String("-") ? *text : absolutePath(*text, context);
        } else if (argument == QLatin1String("--clipboard")) {
            shot.clipboard = true;
        } else {
            return UsageError { QStringLiteral("unknown argument \"%1\" for shot").arg(argument) };
        }
    }
    if (shot.screen && shot.region)
        return UsageError { QStringLiteral("--screen and --region cannot be used together") };
    return shot;
}

Request parseCapture(const QStringList& rest)
{
    if (rest.isEmpty())
        return UsageError { QStringLiteral("capture needs a kind: screen, area, window, active-window, delayed, "
                                           "scrolling or add-area") };
    if (rest.size() > 1)
        return UsageError { QStringLiteral("unexpected argument \"%1\"").arg(rest.at(1)) };
    if (const std::optional<Kind> kind = findVerb(s_captureKinds, rest.front()))
        return InstanceCommand { .kind = *kind, .files = {} };
    return UsageError { QStringLiteral("unknown capture kind \"%1\"").arg(rest.front()) };
}

// A first word that is no verb is a file when it exists or reads like one ("shot.png",
// "~/a/b"), so that a mistyped verb is reported instead of opened.
bool looksLikeFile(const QString& argument, const Context& context)
{
    return argument.startsWith(QLatin1String("file:")) || argument.contains(QLatin1Char('/'))
        || argument.contains(QLatin1Char('.'))
        || (context.fileExists && context.fileExists(absolutePath(argument, context)));
}

} // namespace

Request parse(const QStringList& arguments, const Context& context)
{
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")))
        return Help {};
    if (arguments.isEmpty())
        return InstanceCommand {};
    const QString& first = arguments.front();
    const QStringList rest = arguments.mid(1);
    if (first == QLatin1String("--version"))
        return rest.isEmpty() ? Request(Version {}) : UsageError { QStringLiteral("--version takes no arguments") };
    if (first == QLatin1String("--service"))
        return rest.isEmpty() ? Request(InstanceCommand { .kind = Kind::startInBackground, .files = {} })
                              : UsageError { QStringLiteral("--service takes no arguments") };
    if (first == QLatin1String("capture"))
        return parseCapture(rest);
    if (first == QLatin1String("shot"))
        return parseShot(rest, context);
    if (first == QLatin1String("open"))
        return parseOpen(rest, context);
    if (const std::optional<Kind> kind = findVerb(s_plainVerbs, first)) {
        if (!rest.isEmpty())
            return UsageError { QStringLiteral("unexpected argument \"%1\"").arg(rest.front()) };
        return InstanceCommand { .kind = *kind, .files = {} };
    }
    if (first == QLatin1String("--"))
        return parseOpen(arguments, context);
    if (first.startsWith(QLatin1Char('-')))
        return UsageError { QStringLiteral("unknown option \"%1\"").arg(first) };
    if (looksLikeFile(first, context))
        return parseOpen(arguments, context);
    return UsageError { QStringLiteral("unknown command \"%1\"").arg(first) };
}

QString usage()
{
    return QStringLiteral("Usage: trovix [COMMAND]\n"
                          "       trovix FILE...\n"
                          "\n"
                          "Commands for the running Trovix (started when none runs):\n"
                          "  capture screen|area|window|active-window|delayed|scrolling|add-area\n"
                          "  recognize              read text and QR codes from an area\n"
                          "  show                   bring the editor forward (the default)\n"
                          "  settings               open the settings\n"
                          "  quit                   quit the running Trovix\n"
                          "  open FILE...           open an image in the editor\n"
                          "\n"
                          "A picture without the tray or the editor:\n"
                          "  shot [--screen N | --region X,Y,W,H] [--output FILE | -] [--clipboard]\n"
                          "       N counts monitors from 0; X,Y,W,H are pixels from the top-left of the desktop.\n"
                          "       Without --output or --clipboard the PNG goes to standard output.\n"
                          "\n"
                          "  --help                 show this text\n"
                          "  --version              show the version\n");
}

} // namespace CommandLine
