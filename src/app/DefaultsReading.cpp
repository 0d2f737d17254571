#include "app/DefaultsReading.h"

namespace DefaultsReading {

namespace {

bool textIsTrue(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"yes", Qt::CaseInsensitive) == 0 || trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    bool isNumber = false;
    const double number = trimmed.toDouble(&isNumber);
    return isNumber && number != 0.0;
}

} // namespace

bool plainBool(const Value& value)
{
    if (!value)
        return false;
    if (const bool* flag = std::get_if<bool>(&*value))
        return *flag;
    if (const double* number = std::get_if<double>(&*value))
        return *number != 0.0;
    return textIsTrue(std::get<QString>(*value));
}

std::optional<bool> boolean(const Value& value)
{
    if (!value)
        return std::nullopt;
    if (const bool* flag = std::get_if<bool>(&*value))
        return *flag;
    if (const double* number = std::get_if<double>(&*value); number && (*number == 0.0 || *number == 1.0))
        return *number == 1.0;
    return std::nullopt;
}

std::optional<double> number(const Value& value)
{
    if (!value)
        return std::nullopt;
    if (const double* number = std::get_if<double>(&*value))
        return *number;
    return std::nullopt;
}

std::optional<QString> text(const Value& value)
{
    if (!value)
        return std::nullopt;
    if (const QString* text = std::get_if<QString>(&*value))
        return *text;
    return std::nullopt;
}

std::optional<HotkeyShortcut> shortcut(const Value& value, HotkeyShortcut defaultShortcut)
{
    const std::optional<QString> stored = text(value);
    if (!stored)
        return defaultShortcut;
    if (stored->isEmpty())
        return std::nullopt;
    return HotkeyShortcut::fromStorageValue(*stored).value_or(defaultShortcut);
}

} // namespace DefaultsReading
