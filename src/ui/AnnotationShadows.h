#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"

#include <QPointF>

#include <span>

class QPainter;

// The frame's soft shadow stays set while the canvas draws on the image, so every annotation
// casts it onto what lies below. Shadows blend the same in any order, so a shape drawn apart
// (an arrow being dragged) adds its shadow to the others' exactly as if drawn among them.
namespace AnnotationShadows {

constexpr double alpha = 0.12;
constexpr double blurRadius = 28;
// Points, downwards.
constexpr double offset = 8;
// Shadows are cast from a reduced copy: a blur this wide hides the coarseness.
constexpr double resolution = 0.125;

// Draws the shadow each of `shapes` casts, on `image` placed at `origin` (points).
void draw(QPainter& painter, const Image& image, std::span<const AnnotationShape> shapes, QPointF origin);

} // namespace AnnotationShadows
