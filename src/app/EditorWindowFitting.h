#pragma once

#include <QRectF>
#include <QSizeF>

// Sizing the editor window around a newly loaded image. Screen space: global points,
// origin bottom-left, y up, so a window's top edge is its frame's maximum y.
namespace EditorWindowFitting {

// The area used when the window has no screen.
inline constexpr QRectF fallbackArea { 0, 0, 1440, 900 };
// The image size assumed when there is no image.
inline constexpr QSizeF emptyImageSize { 980, 620 };

[[nodiscard]] QSizeF targetContentSize(QSizeF imageSize, const QRectF& area);
// Differences of up to 24 points in total are not worth a resize.
[[nodiscard]] bool needsResize(QSizeF currentContentSize, QSizeF targetContentSize);
// Centred on the area when the window was never placed, else keeping its top-left corner;
// then kept 24 points inside the area.
[[nodiscard]] QRectF placedFrame(const QRectF& currentFrame, QSizeF frameSize, const QRectF& area);

} // namespace EditorWindowFitting
