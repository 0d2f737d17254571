// State and input of the canvas; its painting is in AnnotationCanvasPainting.cpp.
#include "ui/editor/AnnotationCanvas.h"

#include "engine/PrecisionGeometry.h"
#include "ui/editor/CanvasHitTest.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

template <class... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

} // namespace

bool AnnotationCanvas::actsOnClick(AnnotationTool tool)
{
    return tool == AnnotationTool::text || tool == AnnotationTool::callout || tool == AnnotationTool::colorPicker;
}

AnnotationCanvas::AnnotationCanvas(QWidget* parent)
    : QWidget(parent)
{
    // Shift must reach the canvas while the pointer rests, so the preview re-snaps.
    setFocusPolicy(Qt::ClickFocus);
    updateWidgetSize();
}

void AnnotationCanvas::setImage(const std::optional<Image>& image)
{
    const bool same = image && m_image && image->identity() == m_image->identity() && image->size() == m_image->size();
    if (same || (!image && !m_image))
        return;
    m_image = image && !image->isNull() ? image : std::nullopt;
    refreshCommittedLayer();
    update();
}

void AnnotationCanvas::setAnnotations(const std::vector<AnnotationShape>& annotations)
{
    if (annotations == m_annotations)
        return;
    m_annotations = annotations;
    refreshCommittedLayer();
    update();
}

std::optional<QUuid> AnnotationCanvas::liftedArrow() const
{
    return std::visit(Overloaded {
                          [](const AdjustingArrowStart& mode) -> std::optional<QUuid> { return mode.id; },
                          [](const AdjustingArrowEnd& mode) -> std::optional<QUuid> { return mode.id; },
                          [](const MovingArrow& mode) -> std::optional<QUuid> { return mode.id; },
                          [](const auto&) -> std::optional<QUuid> { return std::nullopt; },
                      },
        m_dragMode);
}

void AnnotationCanvas::refreshCommittedLayer()
{
    if (!m_image) {
        m_committedLayer.clear();
        return;
    }
    const std::optional<QUuid> lifted = liftedArrow();
    if (!lifted) {
        m_committedLayer.setContent(*m_image, m_annotations);
        return;
    }
    std::vector<AnnotationShape> others;
    std::copy_if(m_annotations.begin(), m_annotations.end(), std::back_inserter(others),
        [&](const AnnotationShape& shape) { return shape.id != *lifted; });
    m_committedLayer.setContent(*m_image, others, true);
}

void AnnotationCanvas::setCropSelection(std::optional<QRectF> selection)
{
    m_cropSelection = selection;
    update();
}

void AnnotationCanvas::setSelectedTool(AnnotationTool tool)
{
    m_selectedTool = tool;
    update();
}

void AnnotationCanvas::setTextDraft(const QString& text)
{
    m_textDraft = text;
    update();
}

void AnnotationCanvas::setTextSize(double size)
{
    m_textSize = size;
    update();
}

void AnnotationCanvas::setPickedColorHex(const QString& hex)
{
    m_pickedColorHex = hex;
    update();
}

void AnnotationCanvas::setInteractionEnabled(bool enabled)
{
    m_interactionEnabled = enabled;
    setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
    if (!enabled)
        cancelActiveDrag();
}

void AnnotationCanvas::cancelActiveDrag()
{
    const bool wasAdjusting = !std::holds_alternative<Creating>(m_dragMode);
    clearGesture();
    m_dragMode = Creating {};
    if (wasAdjusting && m_callbacks.finishAdjusting)
        m_callbacks.finishAdjusting();
    refreshCommittedLayer();
    update();
}

bool AnnotationCanvas::isDragging() const
{
    return m_dragStart || !std::holds_alternative<Creating>(m_dragMode);
}

void AnnotationCanvas::setCanvasSize(QSizeF size)
{
    m_canvasSize = size;
    updateWidgetSize();
    update();
}

void AnnotationCanvas::setImageFrame(const QRectF& frame)
{
    m_imageFrame = frame;
    update();
}

void AnnotationCanvas::setMagnification(double magnification)
{
    if (!(magnification > 0) || !std::isfinite(magnification))
        return;
    m_magnification = magnification;
    updateWidgetSize();
    update();
}

void AnnotationCanvas::updateWidgetSize()
{
    // Rounded down, so a canvas that exactly fills the viewport does not summon scroll bars.
    const auto extent = [this](double points) { return std::max(1, int(std::floor(points * m_magnification + 1e-6))); };
    setFixedSize(extent(m_canvasSize.width()), extent(m_canvasSize.height()));
}

QPointF AnnotationCanvas::mapFromImage(QPointF imagePoint) const
{
    return (drawnImageFrame().topLeft() + imagePoint) * m_magnification;
}

QRectF AnnotationCanvas::drawnImageFrame() const
{
    if (!m_imageFrame.isEmpty() || !m_image)
        return m_imageFrame;
    return QRectF(QPointF(0, 0), m_image->size());
}

std::optional<QPointF> AnnotationCanvas::imagePoint(QPointF widgetPosition, bool clamped) const
{
    if (m_imageFrame.isEmpty())
        return std::nullopt;
    const QPointF point = widgetPosition / m_magnification;
    const QRectF& frame = m_imageFrame;
    if (clamped) {
        return QPointF(std::clamp(point.x(), frame.left(), frame.right()) - frame.left(),
            std::clamp(point.y(), frame.top(), frame.bottom()) - frame.top());
    }
    if (point.x() < frame.left() || point.x() >= frame.right() || point.y() < frame.top()
        || point.y() >= frame.bottom())
        return std::nullopt;
    return point - frame.topLeft();
}

void AnnotationCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_interactionEnabled || !m_image)
        return;
    const std::optional<QPointF> point = imagePoint(event->position(), false);
    if (!point)
        return;
    m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    if (grabExistingAnnotation(*point)) {
        update();
        return;
    }
    if (m_selectedTool == AnnotationTool::select)
        return;
    m_dragMode = Creating {};
    m_dragStart = m_dragCurrent = *point;
    m_dragPoints = { *point };
    if (actsOnClick(m_selectedTool)) {
        clearGesture();
        if (m_callbacks.pointAction)
            m_callbacks.pointAction(*point);
    }
    update();
}

// A press on a lens moves its focus, a press on an arrow grabs a handle or the whole arrow;
// the select tool reaches both, the magnifier and arrow tools only their own kind.
bool AnnotationCanvas::grabExistingAnnotation(QPointF point)
{
    const bool selecting = m_selectedTool == AnnotationTool::select;
    if (selecting || m_selectedTool == AnnotationTool::magnifier) {
        if (const std::optional<QUuid> lens = CanvasHitTest::magnifierHit(m_annotations, point)) {
            m_dragMode = AdjustingMagnifierFocus { *lens };
            m_dragCurrent = point;
            if (m_callbacks.updateMagnifierFocus)
                m_callbacks.updateMagnifierFocus(*lens, point);
            return true;
        }
    }
    if (selecting || m_selectedTool == AnnotationTool::arrow) {
        if (const std::optional<CanvasHitTest::ArrowTarget> hit = CanvasHitTest::arrowHit(m_annotations, point)) {
            namespace Targets = CanvasHitTest::ArrowTargets;
            m_dragMode = std::visit(Overloaded {
                                        [](const Targets::Start& t) -> DragMode {
                                            return AdjustingArrowStart { t.id, t.fixedEnd };
                                        },
                                        [](const Targets::End& t) -> DragMode {
                                            return AdjustingArrowEnd { t.id, t.fixedStart };
                                        },
                                        [&](const Targets::Body& t) -> DragMode {
                                            return MovingArrow { t.id, t.start, t.end, point };
                                        },
                                    },
                *hit);
            m_dragCurrent = point;
            refreshCommittedLayer();
            return true;
        }
    }
    return false;
}

void AnnotationCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_interactionEnabled || !event->buttons().testFlag(Qt::LeftButton))
        return;
    m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    if (const std::optional<QPointF> point = imagePoint(event->position(), true))
        dragTo(*point);
    update();
}

void AnnotationCanvas::dragTo(QPointF point)
{
    const auto snappedAround = [this](QPointF fixed, QPointF moving) {
        return PrecisionGeometry::adjustedPoint(fixed, moving, AnnotationTool::arrow, m_isShiftPressed);
    };
    std::visit(Overloaded {
                   [&](const AdjustingMagnifierFocus& mode) {
                       m_dragCurrent = point;
                       if (m_callbacks.updateMagnifierFocus)
                           m_callbacks.updateMagnifierFocus(mode.id, point);
                   },
                   [&](const AdjustingArrowStart& mode) {
                       m_dragCurrent = point;
                       if (m_callbacks.updateArrow)
                           m_callbacks.updateArrow(mode.id, snappedAround(mode.fixedEnd, point), mode.fixedEnd);
                   },
                   [&](const AdjustingArrowEnd& mode) {
                       m_dragCurrent = point;
                       if (m_callbacks.updateArrow)
                           m_callbacks.updateArrow(mode.id, mode.fixedStart, snappedAround(mode.fixedStart, point));
                   },
                   // Only the pointer is clamped: the arrow keeps its shape and may leave the image.
                   [&](const MovingArrow& mode) {
                       m_dragCurrent = point;
                       const QPointF delta = point - mode.anchor;
                       if (m_callbacks.updateArrow)
                           m_callbacks.updateArrow(mode.id, mode.originalStart + delta, mode.originalEnd + delta);
                   },
                   [&](const Creating&) {
                       if (!m_dragStart)
                           return;
                       m_dragCurrent = point;
                       if (m_selectedTool == AnnotationTool::freehand || m_selectedTool == AnnotationTool::highlight)
                           m_dragPoints.push_back(point);
                   },
               },
        m_dragMode);
}

void AnnotationCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_interactionEnabled)
        return;
    m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    if (!std::holds_alternative<Creating>(m_dragMode)) {
        // The last drag event's update stands.
        cancelActiveDrag();
        return;
    }
    if (!m_dragStart || actsOnClick(m_selectedTool))
        return;
    finishCreating(event->position());
    update();
}

void AnnotationCanvas::finishCreating(QPointF widgetPosition)
{
    const QPointF start = *m_dragStart;
    const QPointF release = imagePoint(widgetPosition, true).value_or(start);
    const QPointF end = PrecisionGeometry::adjustedPoint(start, release, m_selectedTool, m_isShiftPressed);
    std::vector<QPointF> points = m_dragPoints.empty() ? std::vector<QPointF> { start } : m_dragPoints;
    points.push_back(end);
    clearGesture();
    if (m_callbacks.createDrag)
        m_callbacks.createDrag(start, end, points);
}

void AnnotationCanvas::clearGesture()
{
    m_dragStart.reset();
    m_dragCurrent.reset();
    m_dragPoints.clear();
}

void AnnotationCanvas::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        setShiftPressed(true);
    QWidget::keyPressEvent(event);
}

void AnnotationCanvas::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        setShiftPressed(false);
    QWidget::keyReleaseEvent(event);
}

void AnnotationCanvas::setShiftPressed(bool pressed)
{
    m_isShiftPressed = pressed;
    update();
}

std::optional<QPointF> AnnotationCanvas::effectiveDragCurrent() const
{
    if (!m_dragCurrent || !m_dragStart || !std::holds_alternative<Creating>(m_dragMode))
        return m_dragCurrent;
    return PrecisionGeometry::adjustedPoint(*m_dragStart, *m_dragCurrent, m_selectedTool, m_isShiftPressed);
}
