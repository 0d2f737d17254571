#include "ui/editor/CanvasHitTest.h"

#include <algorithm>
#include <cmath>

namespace CanvasHitTest {

namespace {

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

double distanceToShaft(QPointF point, QPointF start, QPointF end)
{
    const QPointF shaft = end - start;
    if (std::abs(shaft.x()) <= 0.001 && std::abs(shaft.y()) <= 0.001)
        return distance(point, start);
    const QPointF offset = point - start;
    const double lengthSquared = shaft.x() * shaft.x() + shaft.y() * shaft.y();
    const double t = std::clamp((offset.x() * shaft.x() + offset.y() * shaft.y()) / lengthSquared, 0.0, 1.0);
    return distance(point, start + t * shaft);
}

} // namespace

std::optional<QUuid> magnifierHit(std::span<const AnnotationShape> annotations, QPointF point)
{
    for (auto shape = annotations.rbegin(); shape != annotations.rend(); ++shape) {
        const auto* lens = std::get_if<AnnotationKinds::Magnifier>(&shape->kind);
        if (!lens)
            continue;
        const QRectF area
            = lens->frame.adjusted(-magnifierHitMargin, -magnifierHitMargin, magnifierHitMargin, magnifierHitMargin);
        // Inclusive on every side: a press exactly on the grown border still grabs the lens.
        if (point.x() >= area.left() && point.x() <= area.right() && point.y() >= area.top()
            && point.y() <= area.bottom())
            return shape->id;
    }
    return std::nullopt;
}

std::optional<ArrowTarget> arrowHit(std::span<const AnnotationShape> annotations, QPointF point)
{
    for (auto shape = annotations.rbegin(); shape != annotations.rend(); ++shape) {
        const auto* arrow = std::get_if<AnnotationKinds::Arrow>(&shape->kind);
        if (!arrow)
            continue;
        const double width = shape->style.lineWidth;
        const double handleRadius = std::max(width * 2.5, 10.0);
        if (distance(point, arrow->end) <= handleRadius)
            return ArrowTargets::End { shape->id, arrow->start };
        if (distance(point, arrow->start) <= handleRadius)
            return ArrowTargets::Start { shape->id, arrow->end };
        if (distanceToShaft(point, arrow->start, arrow->end) <= std::max(width * 2, 8.0))
            return ArrowTargets::Body { shape->id, arrow->start, arrow->end };
    }
    return std::nullopt;
}

} // namespace CanvasHitTest
