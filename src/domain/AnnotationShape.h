#pragma once

#include "domain/AnnotationStyle.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QUuid>

#include <algorithm>
#include <variant>
#include <vector>

// Every coordinate here is in image space: points of the base image, origin top-left, y down.
// Qt's own point and rectangle comparisons are fuzzy; shapes compare coordinates exactly.
namespace ExactGeometry {

[[nodiscard]] inline bool equal(const QPointF& a, const QPointF& b) { return a.x() == b.x() && a.y() == b.y(); }
[[nodiscard]] inline bool equal(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}
[[nodiscard]] inline bool equal(const std::vector<QPointF>& a, const std::vector<QPointF>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
        [](const QPointF& p, const QPointF& q) { return equal(p, q); });
}

} // namespace ExactGeometry

namespace AnnotationKinds {

struct Rectangle {
    QRectF rect;
    friend bool operator==(const Rectangle& a, const Rectangle& b)
    {
        return ExactGeometry::equal(a.rect, b.rect);
    }
};
struct Oval {
    QRectF rect;
    friend bool operator==(const Oval& a, const Oval& b)
    {
        return ExactGeometry::equal(a.rect, b.rect);
    }
};
struct Arrow {
    QPointF start;
    QPointF end;
    friend bool operator==(const Arrow& a, const Arrow& b)
    {
        return ExactGeometry::equal(a.start, b.start) && ExactGeometry::equal(a.end, b.end);
    }
};
struct Line {
    QPointF start;
    QPointF end;
    friend bool operator==(const Line& a, const Line& b)
    {
        return ExactGeometry::equal(a.start, b.start) && ExactGeometry::equal(a.end, b.end);
    }
};
struct Pixelate {
    QRectF rect;
    friend bool operator==(const Pixelate& a, const Pixelate& b)
    {
        return ExactGeometry::equal(a.rect, b.rect);
    }
};
struct Text {
    QPointF position;
    QString value;
    friend bool operator==(const Text& a, const Text& b)
    {
        return ExactGeometry::equal(a.position, b.position) && a.value == b.value;
    }
};
struct Freehand {
    std::vector<QPointF> points;
    friend bool operator==(const Freehand& a, const Freehand& b)
    {
        return ExactGeometry::equal(a.points, b.points);
    }
};
struct Highlight {
    std::vector<QPointF> points;
    friend bool operator==(const Highlight& a, const Highlight& b)
    {
        return ExactGeometry::equal(a.points, b.points);
    }
};
struct Spotlight {
    QRectF rect;
    friend bool operator==(const Spotlight& a, const Spotlight& b)
    {
        return ExactGeometry::equal(a.rect, b.rect);
    }
};
struct Callout {
    QPointF center;
    qint64 number = 0;
    friend bool operator==(const Callout& a, const Callout& b)
    {
        return ExactGeometry::equal(a.center, b.center) && a.number == b.number;
    }
};
struct Magnifier {
    QRectF frame;
    QPointF focus;
    friend bool operator==(const Magnifier& a, const Magnifier& b)
    {
        return ExactGeometry::equal(a.frame, b.frame) && ExactGeometry::equal(a.focus, b.focus);
    }
};
struct Measurement {
    QPointF start;
    QPointF end;
    QString label;
    friend bool operator==(const Measurement& a, const Measurement& b)
    {
        return ExactGeometry::equal(a.start, b.start) && ExactGeometry::equal(a.end, b.end) && a.label == b.label;
    }
};

} // namespace AnnotationKinds

struct AnnotationShape {
    // Declaration order matches the model's case order.
    using Kind = std::variant<AnnotationKinds::Rectangle, AnnotationKinds::Oval, AnnotationKinds::Arrow,
        AnnotationKinds::Line, AnnotationKinds::Pixelate, AnnotationKinds::Text, AnnotationKinds::Freehand,
        AnnotationKinds::Highlight, AnnotationKinds::Spotlight, AnnotationKinds::Callout,
        AnnotationKinds::Magnifier, AnnotationKinds::Measurement>;

    QUuid id;
    Kind kind;
    AnnotationStyle style;

    // A new shape always gets a fresh random id.
    [[nodiscard]] static AnnotationShape make(Kind kind, AnnotationStyle style)
    {
        return AnnotationShape { QUuid::createUuid(), std::move(kind), std::move(style) };
    }

    friend bool operator==(const AnnotationShape&, const AnnotationShape&) = default;
};
