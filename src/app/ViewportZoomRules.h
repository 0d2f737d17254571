#pragma once

#include "domain/ZoomBehavior.h"

#include <QRectF>
#include <QSizeF>

#include <optional>
#include <span>

// How the editor's viewport places and magnifies the canvas: the image sits centred on a
// 72-point margin in a canvas at least as large as the visible area, and the magnification
// is set again only when something the user would expect to re-fit has changed. Sizes are
// in points of the canvas (image space plus the margin), not magnified.
namespace ViewportZoomRules {

inline constexpr double canvasPadding = 72;
// Smaller changes of the visible area (scrollers coming and going, a nudge of the window)
// keep the magnification.
inline constexpr double viewportResizeThreshold = 8;
// Frame changes below this are layout noise and are not applied.
inline constexpr double geometryEpsilon = 0.5;
inline constexpr double minimumMagnification = 0.1;
inline constexpr double maximumMagnification = 8.0;
// The size the empty canvas is laid out for.
inline constexpr QSizeF emptyImageSize { 960, 620 };

// The visible area to lay out for, from the candidates in order of preference (the
// scrolled area, the viewport's bounds, its frame). Sizes of 120 points or less are
// transient layout states; among the rest the largest area wins.
[[nodiscard]] QSizeF stableViewportSize(std::span<const QSizeF> candidates);

// The magnification for a behaviour. `imageSize` is none without an image.
[[nodiscard]] double resolvedZoomScale(
    QSizeF viewport, std::optional<QSizeF> imageSize, ZoomBehavior behavior, double requestedScale);

struct CanvasGeometry {
    QSizeF canvasSize;
    // Where the image is drawn in the canvas; empty without an image.
    QRectF imageFrame;
};
[[nodiscard]] CanvasGeometry canvasGeometry(QSizeF viewport, std::optional<QSizeF> imageSize, double zoom);

// Whether a frame moved or resized by more than the geometry epsilon.
[[nodiscard]] bool differsNoticeably(const QRectF& current, const QRectF& wanted);

// What the editor's zoom field should read after `target` was applied; none when it already
// does (within 0.001). Without an image the field goes back to 1.
[[nodiscard]] std::optional<double> zoomScaleWriteBack(bool hasImage, double target, double currentZoomScale);

// Everything the apply decision looks at, for one update of the viewport.
struct ViewportState {
    std::optional<qint64> imageIdentity;
    QSizeF imageSize;
    QSizeF viewportSize;
    ZoomBehavior behavior = ZoomBehavior::fit;
    double zoomScale = 1.0;
};

struct ZoomDecision {
    bool apply = false;
    bool recenter = false;
    friend bool operator==(const ZoomDecision&, const ZoomDecision&) = default;
};

// The viewport's memory of what it applied last, deciding each update whether to apply the
// magnification again and whether to recenter. A new image or a new behaviour recenters;
// a resized viewport or a new custom zoom keeps the visible centre.
class Coordinator {
public:
    // Also remembers `state` for the next update.
    [[nodiscard]] ZoomDecision decide(const ViewportState& state);

    // Guards an application against re-entry: false while one is running.
    [[nodiscard]] bool beginApplying();
    void finishApplying();
    [[nodiscard]] bool hasAppliedZoom() const { return m_hasAppliedZoom; }

private:
    std::optional<qint64> m_lastImageIdentity;
    QSizeF m_lastImageSize { 0, 0 };
    QSizeF m_lastViewportSize { 0, 0 };
    ZoomBehavior m_lastZoomBehavior = ZoomBehavior::fit;
    double m_lastRequestedZoomScale = 1.0;
    bool m_hasAppliedZoom = false;
    bool m_isApplyingProgrammaticZoom = false;
};

} // namespace ViewportZoomRules
