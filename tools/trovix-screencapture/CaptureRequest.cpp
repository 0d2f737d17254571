#include "CaptureRequest.h"

#include "ToolFailure.h"

namespace {

[[noreturn]] void reject(const QString& message)
{
    throw ToolFailure(ToolFailure::Kind::badArguments, message);
}

QRect parseRectangle(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    int values[4] = {};
    bool valid = parts.size() == 4;
    for (int i = 0; valid && i < 4; ++i)
        values[i] = parts.at(i).trimmed().toInt(&valid);
    if (!valid)
        reject(QStringLiteral("-R needs four whole numbers x,y,width,height, got \"%1\"").arg(text));
    if (values[2] <= 0 || values[3] <= 0)
        reject(QStringLiteral("-R needs a positive width and height, got \"%1\"").arg(text));
    return QRect(values[0], values[1], values[2], values[3]);
}

std::uint32_t parseWindow(const QString& text)
{
    bool valid = false;
    const uint window = text.toUInt(&valid, 10);
    if (!valid)
        reject(QStringLiteral("-l needs a window id in decimal, got \"%1\"").arg(text));
    return window;
}

// "-Rvalue" or "-R value".
QString optionValue(const QStringList& arguments, qsizetype& index, const QString& option)
{
    const QString& argument = arguments.at(index);
    if (argument.size() > option.size())
        return argument.mid(option.size());
    if (index + 1 >= arguments.size())
        reject(QStringLiteral("%1 needs a value").arg(option));
    return arguments.at(++index);
}

} // namespace

CaptureRequest CaptureRequest::fromArguments(const QStringList& arguments)
{
    CaptureRequest request;
    QStringList paths;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-x") || argument == QLatin1String("-o"))
            continue;
        if (argument.startsWith(QLatin1String("-t"))) {
            const QString type = optionValue(arguments, i, QStringLiteral("-t"));
            if (type.compare(QLatin1String("png"), Qt::CaseInsensitive) != 0)
                reject(QStringLiteral("only the png type is supported, got \"%1\"").arg(type));
        } else if (argument.startsWith(QLatin1String("-R"))) {
            request.rectangle = parseRectangle(optionValue(arguments, i, QStringLiteral("-R")));
        } else if (argument.startsWith(QLatin1String("-l"))) {
            request.window = parseWindow(optionValue(arguments, i, QStringLiteral("-l")));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            reject(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            paths.append(argument);
        }
    }
    if (request.rectangle.has_value() == request.window.has_value())
        reject(QStringLiteral("give exactly one of -Rx,y,width,height and -l<window id>"));
    if (paths.size() != 1 || paths.front().isEmpty())
        reject(QStringLiteral("give exactly one output file, after the options"));
    request.outputPath = paths.front();
    return request;
}
