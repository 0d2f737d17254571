#include "domain/SaveFormat.h"

namespace SaveFormats {

QString rawValue(SaveFormat value)
{
    switch (value) {
    case SaveFormat::png:
        return QStringLiteral("png");
    case SaveFormat::automatic:
        return QStringLiteral("auto");
    }
    return {};
}

std::optional<SaveFormat> fromRawValue(const QString& rawValue)
{
    for (SaveFormat value : allCases) {
        if (rawValue == SaveFormats::rawValue(value))
            return value;
    }
    return std::nullopt;
}

} // namespace SaveFormats
