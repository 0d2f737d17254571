#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"

#include <QPointF>

#include <span>

class QPainter;

// The frame's soft shadow stays set while the canvas draws on the image, so the annotations
// cast it onto the picture below them. It is cast once for all the shapes of a layer: one
// blur instead of one per shape. A shape drawn apart (an arrow being dragged) adds its own
// shadow to the others', which differs from one cast for all only where shapes overlap.
namespace AnnotationShadows {

constexpr double alpha = 0.12;
constexpr double blurRadius = 28;
// Points, downwards.
constexpr double offset = 8;
// Shadows are cast from a reduced copy: a blur this wide hides the coarseness.
constexpr double resolution = 0.125;

// Draws the shadow `shapes` cast together, on `image` placed at `origin` (points).
void draw(QPainter& painter, const Image& image, std::span<const AnnotationShape> shapes, QPointF origin);

} // namespace AnnotationShadows
