#include "app/AppState.h"

#include "engine/PasteboardImageProvider.h"

#include <cmath>

AppState::AppState(AppSettings& appSettings, AppStatePorts ports, QObject* parent)
    : QObject(parent)
    , settings(appSettings)
    , m_ports(ports)
{
}

AppState::~AppState() = default;

QString AppState::strokeColorHex() const
{
    const QColor rgb = strokeColor().toRgb();
    if (!rgb.isValid())
        return QStringLiteral("#FF3B30");
    // std::round rounds halves away from zero.
    const auto channel = [](float component) {
        return QStringLiteral("%1").arg(int(std::round(component * 255.0)), 2, 16, QLatin1Char('0')).toUpper();
    };
    return QLatin1Char('#') + channel(rgb.redF()) + channel(rgb.greenF()) + channel(rgb.blueF());
}

QString AppState::currentImageSizeLabel() const
{
    if (!baseImage())
        return QStringLiteral("No image");
    const QSizeF size = baseImage()->size();
    return QString::number(std::trunc(size.width()), 'f', 0) + QStringLiteral(" \u00D7 ")
        + QString::number(std::trunc(size.height()), 'f', 0);
}
