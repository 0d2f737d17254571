#pragma once

#include <QRect>
#include <QString>

// The desktop's scale of each monitor as the toolkit applies it: QScreen's device pixel
// ratio, which follows Xft.dpi, QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS.
namespace QtScreenScales {

// The ratio of the toolkit's screen that starts at the monitor's root corner (the toolkit
// keeps each screen's root origin), else of the one with the monitor's name, else of the
// primary screen.
[[nodiscard]] double scaleOf(const QString& monitorName, const QRect& rootGeometry);

} // namespace QtScreenScales
