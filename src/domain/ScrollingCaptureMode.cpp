#include "domain/ScrollingCaptureMode.h"

namespace ScrollingCaptureModes {

QString rawValue(ScrollingCaptureMode value)
{
    switch (value) {
    case ScrollingCaptureMode::manual:
        return QStringLiteral("manual");
    case ScrollingCaptureMode::automatic:
        return QStringLiteral("automatic");
    }
    return {};
}

std::optional<ScrollingCaptureMode> fromRawValue(const QString& rawValue)
{
    for (ScrollingCaptureMode value : allCases) {
        if (rawValue == ScrollingCaptureModes::rawValue(value))
            return value;
    }
    return std::nullopt;
}

} // namespace ScrollingCaptureModes
