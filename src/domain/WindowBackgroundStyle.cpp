#include "domain/WindowBackgroundStyle.h"

namespace WindowBackgroundStyles {

QString rawValue(WindowBackgroundStyle value)
{
    switch (value) {
    case WindowBackgroundStyle::wallpaper:
        return QStringLiteral("wallpaper");
    case WindowBackgroundStyle::transparent:
        return QStringLiteral("transparent");
    case WindowBackgroundStyle::solidColor:
        return QStringLiteral("solidColor");
    case WindowBackgroundStyle::trimShadow:
        return QStringLiteral("trimShadow");
    }
    return {};
}

std::optional<WindowBackgroundStyle> fromRawValue(const QString& rawValue)
{
    for (WindowBackgroundStyle value : allCases) {
        if (rawValue == WindowBackgroundStyles::rawValue(value))
            return value;
    }
    return std::nullopt;
}

} // namespace WindowBackgroundStyles
