#pragma once

#include "domain/AnnotationShape.h"

#include <QPointF>
#include <QUuid>

#include <optional>
#include <span>
#include <variant>

// Which existing annotation a press on the canvas grabs. Points are in image space; the
// list is in drawing order, so the walk goes from the top (last) down.
namespace CanvasHitTest {

// A lens is grabbed anywhere in its frame grown by this, not only on its circle.
inline constexpr double magnifierHitMargin = 12;

[[nodiscard]] std::optional<QUuid> magnifierHit(std::span<const AnnotationShape> annotations, QPointF point);

namespace ArrowTargets {
struct Start {
    QUuid id;
    QPointF fixedEnd;
};
struct End {
    QUuid id;
    QPointF fixedStart;
};
struct Body {
    QUuid id;
    QPointF start;
    QPointF end;
};
} // namespace ArrowTargets
using ArrowTarget = std::variant<ArrowTargets::Start, ArrowTargets::End, ArrowTargets::Body>;

// Handles are round with radius max(2.5 × width, 10); the shaft is grabbed within
// max(2 × width, 8). The head wins over the tail.
[[nodiscard]] std::optional<ArrowTarget> arrowHit(std::span<const AnnotationShape> annotations, QPointF point);

} // namespace CanvasHitTest
