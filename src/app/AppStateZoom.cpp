// The editor's zoom commands; the viewport applies the zoom and writes the fitted scale back.
#include "app/AppState.h"

#include <algorithm>
#include <cmath>

void AppState::zoomIn()
{
    zoomBehavior.set(ZoomBehavior::custom);
    zoomScale.set(std::min(zoomScale() * 1.2, 8.0));
    statusMessage.set(QStringLiteral("Zoomed in to %1%").arg(zoomPercentage()));
}

void AppState::zoomOut()
{
    zoomBehavior.set(ZoomBehavior::custom);
    zoomScale.set(std::max(zoomScale() / 1.2, 0.1));
    statusMessage.set(QStringLiteral("Zoomed out to %1%").arg(zoomPercentage()));
}

void AppState::zoomToActualSize()
{
    zoomBehavior.set(ZoomBehavior::actualSize);
    zoomScale.set(1.0);
    statusMessage.set(QStringLiteral("Zoom set to 100%"));
}

int AppState::zoomPercentage() const
{
    const double percent = std::round(zoomScale() * 100.0);
    // A non-finite scale cannot come from the zoom commands; keep the read-out defined anyway.
    if (!std::isfinite(percent))
        return 0;
    return int(std::clamp(percent, double(INT_MIN), double(INT_MAX)));
}

void AppState::prepareImagePresentation()
{
    zoomScale.set(1.0);
    zoomBehavior.set(ZoomBehavior::fit);
    resizePercent.set(QStringLiteral("100"));
}
