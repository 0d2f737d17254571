#include "engine/AnnotationRenderer.h"

#include "engine/DrawingPrimitives.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace AnnotationRenderer {

namespace {

using DrawingPrimitives::withAlpha;

template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Clang before 17 does not deduce an aggregate's arguments without it; the fuzzing build uses clang.
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

void strokeSegment(QPainter& painter, QPointF start, QPointF end)
{
    QPainterPath path(start);
    path.lineTo(end);
    painter.strokePath(path, painter.pen());
}

void drawArrow(QPainter& painter, QPointF start, QPointF end)
{
    strokeSegment(painter, start, end);
    const ArrowWings wings = arrowWings(start, end);
    QPainterPath head(end);
    head.lineTo(wings.first);
    head.moveTo(end);
    head.lineTo(wings.second);
    painter.strokePath(head, painter.pen());
}

// One path for the whole line, so that a translucent stroke does not darken where it
// crosses itself. A single point has no segment and paints nothing.
void drawPolyline(QPainter& painter, const std::vector<QPointF>& points, QPointF origin)
{
    if (points.size() < 2)
        return;
    QPainterPath path(points.front() + origin);
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point + origin);
    painter.strokePath(path, painter.pen());
}

QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

// Wraps at word boundaries (inside a word only when the word alone is too wide) and
// leaves out every line that does not fit wholly in the layout box.
void drawText(QPainter& painter, QPointF position, const QString& value, const AnnotationStyle& style)
{
    if (value.isEmpty())
        return;
    QTextLayout layout(withLineSeparators(value),
        DrawingPrimitives::systemFont(style.fontSize, QFont::Bold, painter.device()), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    std::vector<QTextLine> lines;
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(textLayoutWidth);
        if (height + line.height() > textLayoutHeight)
            break;
        line.setPosition(QPointF(0, height));
        height += line.height();
        lines.push_back(line);
    }
    layout.endLayout();
    painter.setPen(style.color);
    const QPointF boxOrigin = position + QPointF(textInset, textInset);
    for (const QTextLine& line : lines)
        line.draw(&painter, boxOrigin);
}

void drawCallout(QPainter& painter, qint64 number, QPointF center, const AnnotationStyle& style)
{
    const double radius = calloutRadius(style);
    const QRectF badge(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(style.color);
    painter.drawEllipse(badge);

    QPen ring = painter.pen();
    ring.setStyle(Qt::SolidLine);
    ring.setColor(withAlpha(Qt::white, 0.92));
    ring.setWidthF(std::max(style.lineWidth * 0.6, 2.0));
    ring.setJoinStyle(Qt::RoundJoin);
    ring.setCapStyle(Qt::RoundCap);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(badge);

    // The baseline lies on the bottom edge of the measured box.
    const QString text = QString::number(number);
    const QFont font = DrawingPrimitives::systemFont(calloutNumberFontSize(style), QFont::ExtraBold, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(text);
    const double height = metrics.height();
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(center.x() - width / 2, center.y() + height / 2), text);
}

void drawMeasurement(QPainter& painter, QPointF start, QPointF end, const QString& label, const AnnotationStyle& style)
{
    QPen pen = painter.pen();
    pen.setWidthF(std::max(style.lineWidth * 0.8, 2.0));
    painter.setPen(pen);
    strokeSegment(painter, start, end);
    QPainterPath ticks(start - QPointF(8, 0));
    ticks.lineTo(start + QPointF(8, 0));
    ticks.moveTo(end - QPointF(8, 0));
    ticks.lineTo(end + QPointF(8, 0));
    painter.strokePath(ticks, pen);

    const QRectF box = measurementLabelBox(painter, start, end, label, style);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(style.color, 0.92));
    painter.drawRoundedRect(box, 8, 8);

    const QFont font
        = DrawingPrimitives::monospacedSystemFont(measurementFontSize(style), QFont::Bold, painter.device());
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(box.left() + 8, box.top() + 4 + metrics.ascent()), label);
}

void drawKind(QPainter& painter, const AnnotationShape& shape, QPointF origin)
{
    using namespace AnnotationKinds;
    const AnnotationStyle& style = shape.style;
    std::visit(Overloaded {
                   [&](const Rectangle& kind) { painter.drawRect(kind.rect.translated(origin)); },
                   [&](const Oval& kind) { painter.drawEllipse(kind.rect.translated(origin)); },
                   [&](const Arrow& kind) { drawArrow(painter, kind.start + origin, kind.end + origin); },
                   [&](const Line& kind) { strokeSegment(painter, kind.start + origin, kind.end + origin); },
                   [&](const Text& kind) { drawText(painter, kind.position + origin, kind.value, style); },
                   [&](const Freehand& kind) { drawPolyline(painter, kind.points, origin); },
                   [&](const Highlight& kind) {
                       QPen pen = painter.pen();
                       pen.setColor(withAlpha(style.color, highlightAlpha));
                       pen.setWidthF(std::max(style.lineWidth * 2.8, 10.0));
                       painter.setPen(pen);
                       drawPolyline(painter, kind.points, origin);
                   },
                   [&](const Callout& kind) { drawCallout(painter, kind.number, kind.center + origin, style); },
                   [&](const Measurement& kind) {
                       drawMeasurement(painter, kind.start + origin, kind.end + origin, kind.label, style);
                   },
                   [](const Pixelate&) {},
                   [](const Spotlight&) {},
                   [](const Magnifier&) {},
               },
        shape.kind);
}

} // namespace

void draw(QPainter& painter, const AnnotationShape& shape, QSizeF /*canvasSize*/, QPointF origin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPen pen(shape.style.color);
    pen.setWidthF(shape.style.lineWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    drawKind(painter, shape, origin);
    painter.restore();
}

ArrowWings arrowWings(QPointF start, QPointF end)
{
    const double theta = std::atan2(end.y() - start.y(), end.x() - start.x());
    const auto wing = [&](double angle) {
        return QPointF(end.x() - arrowWingLength * std::cos(angle), end.y() - arrowWingLength * std::sin(angle));
    };
    return { wing(theta - arrowWingAngle), wing(theta + arrowWingAngle) };
}

double calloutRadius(const AnnotationStyle& style)
{
    return std::max(style.fontSize * 0.58, 15.0);
}

double calloutNumberFontSize(const AnnotationStyle& style)
{
    return std::max(style.fontSize * 0.72, 13.0);
}

double measurementFontSize(const AnnotationStyle& style)
{
    return std::max(style.fontSize * 0.48, 11.0);
}

QRectF measurementLabelBox(
    const QPainter& painter, QPointF start, QPointF end, const QString& label, const AnnotationStyle& style)
{
    const QFont font
        = DrawingPrimitives::monospacedSystemFont(measurementFontSize(style), QFont::Bold, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(label);
    const double height = metrics.height();
    const QPointF middle((start.x() + end.x()) / 2, (start.y() + end.y()) / 2);
    return QRectF(middle.x() - width / 2 - 8, middle.y() - height / 2 - 4, width + 16, height + 8);
}

} // namespace AnnotationRenderer
