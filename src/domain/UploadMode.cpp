#include "domain/UploadMode.h"

namespace UploadModes {

QString rawValue(UploadMode value)
{
    switch (value) {
    case UploadMode::disabled:
        return QStringLiteral("disabled");
    case UploadMode::customServer:
        return QStringLiteral("customServer");
    }
    return {};
}

std::optional<UploadMode> fromRawValue(const QString& rawValue)
{
    for (UploadMode value : allCases) {
        if (rawValue == UploadModes::rawValue(value))
            return value;
    }
    return std::nullopt;
}

} // namespace UploadModes
