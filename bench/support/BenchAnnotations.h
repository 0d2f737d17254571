#pragma once

#include "domain/AnnotationShape.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <random>
#include <vector>

namespace BenchAnnotations {

namespace Kinds = AnnotationKinds;

// `count` annotations cycling through every kind, of sizes a user would draw.
inline std::vector<AnnotationShape> annotations(QSizeF points, int count)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(0, points.width() - 400), y(0, points.height() - 300), size(60, 300);
    const AnnotationStyle style { QColor(255, 59, 48), 4, 28 };
    std::vector<AnnotationShape> shapes;
    for (int i = 0; i < count; ++i) {
        const QPointF at(x(random), y(random));
        const QRectF rect(at, QSizeF(size(random), size(random)));
        const std::vector<QPointF> path { at, at + QPointF(40, 30), at + QPointF(90, 10), at + QPointF(160, 60) };
        const Kinds::Measurement ruler { at, rect.bottomRight(), QStringLiteral("240 × 180") };
        const std::array<AnnotationShape::Kind, 12> kinds { Kinds::Rectangle { rect }, Kinds::Oval { rect },
            Kinds::Arrow { at, rect.bottomRight() }, Kinds::Line { at, rect.bottomRight() }, Kinds::Pixelate { rect },
            Kinds::Text { at, QStringLiteral("Annotated text that wraps over a few lines of the box") },
            Kinds::Freehand { path }, Kinds::Highlight { path }, Kinds::Spotlight { rect },
            Kinds::Callout { at, i / 12 + 1 },
            Kinds::Magnifier { QRectF(at, QSizeF(160, 160)), at + QPointF(200, 100) }, ruler };
        shapes.push_back(AnnotationShape::make(kinds[size_t(i % 12)], style));
    }
    return shapes;
}

} // namespace BenchAnnotations
