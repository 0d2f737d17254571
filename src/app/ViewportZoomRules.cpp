#include "app/ViewportZoomRules.h"

#include <algorithm>
#include <cmath>

namespace ViewportZoomRules {

namespace {

constexpr double transientViewportExtent = 120;
constexpr double zoomEpsilon = 0.001;

double clampedMagnification(double scale)
{
    // A non-finite request (a corrupt zoom field) must not reach the scroll arithmetic.
    if (!std::isfinite(scale))
        return 1.0;
    return std::clamp(scale, minimumMagnification, maximumMagnification);
}

} // namespace

QSizeF stableViewportSize(std::span<const QSizeF> candidates)
{
    std::optional<QSizeF> largest;
    for (const QSizeF& size : candidates) {
        if (size.width() > transientViewportExtent && size.height() > transientViewportExtent
            && (!largest || size.width() * size.height() > largest->width() * largest->height()))
            largest = size;
    }
    if (largest)
        return *largest;
    for (const QSizeF& size : candidates)
        if (size.width() > 0 && size.height() > 0)
            return size;
    return QSizeF(0, 0);
}

double resolvedZoomScale(QSizeF viewport, std::optional<QSizeF> imageSize, ZoomBehavior behavior, double requestedScale)
{
    switch (behavior) {
    case ZoomBehavior::custom:
        return clampedMagnification(requestedScale);
    case ZoomBehavior::fit: {
        // The margin counts only for the empty canvas: an image fits edge to edge.
        const QSizeF content = imageSize
            ? *imageSize
            : QSizeF(std::max(emptyImageSize.width() + 2 * canvasPadding, viewport.width()),
                std::max(emptyImageSize.height() + 2 * canvasPadding, viewport.height()));
        return clampedMagnification(std::min(viewport.width() / content.width(), viewport.height() / content.height()));
    }
    case ZoomBehavior::actualSize:
        return 1.0;
    }
    return 1.0;
}

CanvasGeometry canvasGeometry(QSizeF viewport, std::optional<QSizeF> imageSize, double zoom)
{
    const QSizeF image = imageSize.value_or(emptyImageSize);
    const double z = std::max(zoom, minimumMagnification);
    const QSizeF canvas(std::max(image.width() + 2 * canvasPadding, viewport.width() / z),
        std::max(image.height() + 2 * canvasPadding, viewport.height() / z));
    if (!imageSize)
        return { canvas, QRectF() };
    const QPointF origin((canvas.width() - image.width()) / 2, (canvas.height() - image.height()) / 2);
    return { canvas, QRectF(origin, image) };
}

bool differsNoticeably(const QRectF& current, const QRectF& wanted)
{
    return std::abs(current.x() - wanted.x()) > geometryEpsilon || std::abs(current.y() - wanted.y()) > geometryEpsilon
        || std::abs(current.width() - wanted.width()) > geometryEpsilon
        || std::abs(current.height() - wanted.height()) > geometryEpsilon;
}

std::optional<double> zoomScaleWriteBack(bool hasImage, double target, double currentZoomScale)
{
    const double desired = hasImage ? target : 1.0;
    if (std::abs(currentZoomScale - desired) > zoomEpsilon || !std::isfinite(currentZoomScale))
        return desired;
    return std::nullopt;
}

ZoomDecision Coordinator::decide(const ViewportState& state)
{
    // Before the first layout there is nothing to fit into; deciding now would apply a
    // magnification for a zero-sized area and never recenter once the real size arrives.
    if (state.viewportSize.isEmpty())
        return {};
    const bool imageChanged = state.imageIdentity != m_lastImageIdentity
        || state.imageSize.width() != m_lastImageSize.width() || state.imageSize.height() != m_lastImageSize.height();
    const bool viewportChanged = !m_hasAppliedZoom
        || std::abs(state.viewportSize.width() - m_lastViewportSize.width()) > viewportResizeThreshold
        || std::abs(state.viewportSize.height() - m_lastViewportSize.height()) > viewportResizeThreshold;
    const bool behaviorChanged = state.behavior != m_lastZoomBehavior;
    const bool requestChanged
        = state.behavior == ZoomBehavior::custom && std::abs(state.zoomScale - m_lastRequestedZoomScale) > zoomEpsilon;

    ZoomDecision decision;
    if (!m_hasAppliedZoom || imageChanged || behaviorChanged)
        decision = { true, true };
    else
        decision = { viewportChanged || requestChanged, false };

    m_lastImageIdentity = state.imageIdentity;
    m_lastImageSize = state.imageSize;
    // Remembered only when the magnification follows it: a window resized a few points at a
    // time must still re-fit once the changes add up past the threshold.
    if (decision.apply)
        m_lastViewportSize = state.viewportSize;
    m_lastZoomBehavior = state.behavior;
    m_lastRequestedZoomScale = state.zoomScale;
    return decision;
}

bool Coordinator::beginApplying()
{
    if (m_isApplyingProgrammaticZoom)
        return false;
    m_isApplyingProgrammaticZoom = true;
    return true;
}

void Coordinator::finishApplying()
{
    m_hasAppliedZoom = true;
    m_isApplyingProgrammaticZoom = false;
}

} // namespace ViewportZoomRules
