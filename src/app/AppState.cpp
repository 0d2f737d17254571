#include "app/AppState.h"

#include "engine/PasteboardImageProvider.h"

#include <QLoggingCategory>

#include <cmath>

namespace {

// Lets a test or a user with QT_LOGGING_RULES="trovix.capture.debug=true" see that captures
// never overlap.
Q_LOGGING_CATEGORY(lcCapture, "trovix.capture", QtInfoMsg)

} // namespace

AppState::AppState(AppSettings& appSettings, AppStatePorts ports, QObject* parent)
    : QObject(parent)
    , settings(appSettings)
    , m_ports(ports)
{
    connect(&isCaptureTransitionActive, &ObservableNotifier::changed, this, [this] {
        qCDebug(lcCapture) << (isCaptureTransitionActive() ? "capture started" : "capture ended");
    });
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
