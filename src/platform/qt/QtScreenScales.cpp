#include "platform/qt/QtScreenScales.h"

#include <QGuiApplication>
#include <QScreen>

namespace QtScreenScales {

double scaleOf(const QString& monitorName, const QRect& rootGeometry)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen->geometry().topLeft() == rootGeometry.topLeft())
            return screen->devicePixelRatio();
    }
    for (const QScreen* screen : screens) {
        if (screen->name() == monitorName)
            return screen->devicePixelRatio();
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->devicePixelRatio() : 1.0;
}

} // namespace QtScreenScales
