// Turning canvas gestures and tool clicks into annotations.
#include "app/AppState.h"

#include "domain/AnnotationGeometry.h"
#include "domain/AnnotationGesture.h"
#include "engine/ImageColorSampler.h"
#include "ports/ClipboardPort.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether a drag is big enough to make something; every comparison is strict.
bool meetsMinimumSize(AnnotationTool tool, QPointF from, QPointF to, const std::vector<QPointF>& points)
{
    const double width = std::abs(to.x() - from.x());
    const double height = std::abs(to.y() - from.y());
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    switch (tool) {
    case AnnotationTool::rectangle:
    case AnnotationTool::oval:
        return width > 2 && height > 2;
    case AnnotationTool::arrow:
    case AnnotationTool::line:
        return length > 4;
    case AnnotationTool::pixelate:
    case AnnotationTool::spotlight:
    case AnnotationTool::crop:
        return width > 6 && height > 6;
    case AnnotationTool::freehand:
    case AnnotationTool::highlight:
        return points.size() >= 2;
    case AnnotationTool::magnifier:
        return width > 24 && height > 24;
    case AnnotationTool::ruler:
        return length > 6;
    case AnnotationTool::select:
    case AnnotationTool::text:
    case AnnotationTool::callout:
    case AnnotationTool::colorPicker:
        return false;
    }
    return false;
}

} // namespace

AnnotationStyle AppState::currentStyle() const
{
    return AnnotationStyle { strokeColor(), lineWidth(), textSize() };
}

void AppState::appendAnnotation(AnnotationShape::Kind kind, AnnotationTool tool, const QString& status)
{
    recordEdit(QStringLiteral("Add ") + AnnotationTools::title(tool));
    annotations.mutate([&](std::vector<AnnotationShape>& list) {
        list.push_back(AnnotationShape::make(std::move(kind), currentStyle()));
    });
    statusMessage.set(status);
}

void AppState::addDragAnnotation(QPointF from, QPointF to, const std::vector<QPointF>& points)
{
    const AnnotationTool tool = selectedTool();
    if (!meetsMinimumSize(tool, from, to, points))
        return;
    if (tool == AnnotationTool::crop) {
        recordEdit(QStringLiteral("Select Crop Area"));
        cropSelection.set(AnnotationGeometry::normalizedRect(from, to));
        statusMessage.set(QStringLiteral("Crop area selected"));
        return;
    }
    if (auto kind = AnnotationGesture::dragKind(tool, from, to, points)) {
        appendAnnotation(std::move(*kind), tool,
            QStringLiteral("Added ") + AnnotationTools::title(tool).toLower() + QStringLiteral(" annotation"));
    }
}

void AppState::handlePointTool(QPointF point)
{
    switch (selectedTool()) {
    case AnnotationTool::colorPicker:
        sampleColor(point);
        return;
    case AnnotationTool::callout: {
        const qint64 number = m_nextCalloutNumber;
        appendAnnotation(AnnotationKinds::Callout { point, number }, AnnotationTool::callout,
            QStringLiteral("Added callout ") + QString::number(number));
        m_nextCalloutNumber = number + 1;
        return;
    }
    case AnnotationTool::text:
        addTextAnnotation(point);
        return;
    default:
        return;
    }
}

void AppState::addTextAnnotation(QPointF point)
{
    if (selectedTool() != AnnotationTool::text)
        return;
    // QString::trimmed removes white space and line breaks of every kind from both ends.
    const QString text = textDraft().trimmed();
    if (text.isEmpty()) {
        statusMessage.set(QStringLiteral("Text tool needs content"));
        return;
    }
    appendAnnotation(
        AnnotationKinds::Text { point, text }, AnnotationTool::text, QStringLiteral("Added text annotation"));
}

void AppState::sampleColor(QPointF point)
{
    const std::optional<QString> hex
        = baseImage() ? ImageColorSampler::sampleHexColor(point, *baseImage()) : std::nullopt;
    if (!hex) {
        statusMessage.set(QStringLiteral("Could not sample color"));
        return;
    }
    lastPickedColorHex.set(*hex);
    if (const std::optional<QColor> color = ImageColorSampler::color(*hex))
        strokeColor.set(*color);
    m_ports.clipboard.setText(*hex);
    statusMessage.set(QStringLiteral("Picked ") + *hex + QStringLiteral(" and copied it"));
}

template <typename KindType, typename Change>
void AppState::changeAnnotationKind(const QUuid& id, const QString& editName, Change&& change)
{
    const auto& list = annotations();
    const auto found = std::find_if(list.begin(), list.end(), [&](const AnnotationShape& s) { return s.id == id; });
    if (found == list.end() || !std::holds_alternative<KindType>(found->kind))
        return;
    const auto index = std::size_t(std::distance(list.begin(), found));
    // Every drag event of one gesture changes the shape; the gesture is one step.
    recordEdit(editName, id);
    // Replaced in place: the shape keeps its position in the drawing order, its id and its style.
    annotations.mutate([&](std::vector<AnnotationShape>& shapes) { change(std::get<KindType>(shapes[index].kind)); });
}

void AppState::updateMagnifierFocus(const QUuid& id, QPointF point)
{
    changeAnnotationKind<AnnotationKinds::Magnifier>(
        id, QStringLiteral("Move Magnifier Focus"), [&](AnnotationKinds::Magnifier& lens) { lens.focus = point; });
}

void AppState::updateArrow(const QUuid& id, QPointF start, QPointF end)
{
    changeAnnotationKind<AnnotationKinds::Arrow>(id, QStringLiteral("Move Arrow"), [&](AnnotationKinds::Arrow& arrow) {
        arrow.start = start;
        arrow.end = end;
    });
}

void AppState::removeLastAnnotation()
{
    if (annotations().empty())
        return;
    const AnnotationShape removed = annotations().back();
    recordEdit(QStringLiteral("Remove Annotation"));
    annotations.mutate([](std::vector<AnnotationShape>& list) { list.pop_back(); });
    if (const auto* callout = std::get_if<AnnotationKinds::Callout>(&removed.kind))
        m_nextCalloutNumber = std::min(callout->number, m_nextCalloutNumber);
    statusMessage.set(QStringLiteral("Removed last annotation"));
}
