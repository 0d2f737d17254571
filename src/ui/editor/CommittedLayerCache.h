#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"

#include <QImage>
#include <QSizeF>

#include <vector>

// The base image with its committed annotations and their shadows, rendered once at the
// resolution it is shown at and cut to the frame's rounded corners. While a gesture is in
// progress only the preview changes, so a repaint draws this layer and the preview instead
// of every shape.
class CommittedLayerCache {
public:
    static constexpr double frameCornerRadius = 18;
    // A layer for a huge image at a high zoom would take gigabytes; past this many pixels
    // the layer is rendered coarser and scaled up when drawn.
    static constexpr double maximumLayerPixels = 24e6;

    // Marks the layer stale unless the content is the one it holds; the next layer() call
    // renders a stale layer again. With `apart`, the annotations get a layer of their own over
    // the image and their shadows, so that a shape shown between the two casts its shadow
    // under them.
    void setContent(const Image& image, const std::vector<AnnotationShape>& annotations, bool apart = false);
    void clear();

    // Layer pixels per image point for showing `imageSize` at `devicePixelsPerPoint`.
    [[nodiscard]] static double layerScale(QSizeF imageSize, double devicePixelsPerPoint);

    // The layer at `scale` layer pixels per image point; a null image without content.
    [[nodiscard]] const QImage& layer(double scale);
    // The annotations alone, at the scale of the last layer(); a null image unless apart.
    [[nodiscard]] const QImage& annotationLayer() const { return m_annotationLayer; }

private:
    void renderLayer(double scale);
    [[nodiscard]] const QImage& scaledBase(QSize layerSize);

    Image m_image;
    std::vector<AnnotationShape> m_annotations;
    bool m_apart = false;
    QImage m_layer;
    QImage m_annotationLayer;
    double m_layerScale = 0;
    bool m_stale = true;
    QImage m_scaledBase;
    qint64 m_scaledBaseIdentity = 0;
};
