#include "ui/capture/AreaSelectionView.h"

#include "engine/AreaSelectionGeometry.h"
#include "ui/capture/OverlayPainting.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace OverlayPainting;

namespace {

const QColor dim = black(0.42);

} // namespace

AreaSelectionView::AreaSelectionView(const Screen& screen)
    : m_screen(screen)
    , m_backdrop(Image(), dim)
{
    // Named for window lists and for tools that look windows up by name.
    setWindowTitle(QStringLiteral("Select an Area"));
    setCursor(Qt::CrossCursor);
}

void AreaSelectionView::setPicture(const Image& picture)
{
    m_backdrop = FrozenBackdrop(picture, dim);
    update();
}

OverlayCoordinates AreaSelectionView::coordinates() const
{
    return OverlayCoordinates(QSizeF(size()), m_screen.frame.size());
}

QPointF AreaSelectionView::viewPoint(const QMouseEvent* event) const
{
    return coordinates().toView(event->position());
}

void AreaSelectionView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF point = viewPoint(event);
    m_currentPointer = point;
    m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    m_dragStart = point;
    m_dragCurrent = point;
    update();
}

void AreaSelectionView::mouseMoveEvent(QMouseEvent* event)
{
    const QRegion before = decorations();
    const QPointF point = viewPoint(event);
    m_currentPointer = point;
    if (m_dragStart) {
        m_dragCurrent = point;
        m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    }
    update(before | decorations());
}

void AreaSelectionView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragStart)
        return;
    const QPointF point = viewPoint(event);
    m_currentPointer = point;
    m_dragCurrent = point;
    m_isShiftPressed = event->modifiers().testFlag(Qt::ShiftModifier);
    const QRectF selection = AreaSelectionGeometry::selectionRect(*m_dragStart, point, m_isShiftPressed);
    m_dragStart.reset();
    m_dragCurrent.reset();
    update();
    if (AreaSelectionGeometry::isLargeEnough(selection))
        complete(selection);
    else
        finish();
}

void AreaSelectionView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish();
        return;
    }
    // X reports a modifier key's own press before the modifier state includes it.
    if (event->key() == Qt::Key_Shift) {
        const QRegion before = decorations();
        m_isShiftPressed = true;
        update(before | decorations());
        return;
    }
    QWidget::keyPressEvent(event);
}

void AreaSelectionView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        const QRegion before = decorations();
        m_isShiftPressed = false;
        update(before | decorations());
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void AreaSelectionView::complete(const QRectF& selection)
{
    m_result = AreaSelectionGeometry::globalRect(selection, m_screen.frame);
    finish();
}

void AreaSelectionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_backdrop.paintDimmed(painter, rect());
    const OverlayCoordinates view = coordinates();
    paintCrosshair(painter, view);
    if (m_dragStart && m_dragCurrent) {
        const QRectF selection = AreaSelectionGeometry::selectionRect(*m_dragStart, *m_dragCurrent, m_isShiftPressed);
        paintSelection(painter, view, selection);
        paintLabel(painter, view, selection);
    } else {
        paintHint(painter, view);
    }
}

void AreaSelectionView::paintCrosshair(QPainter& painter, const OverlayCoordinates& view) const
{
    if (!m_currentPointer)
        return;
    // Half a point off the whole number puts a one-point line on exactly one row of pixels.
    const double x = std::floor(m_currentPointer->x()) + 0.5;
    const double y = std::floor(m_currentPointer->y()) + 0.5;
    const QSizeF extent = view.viewSize();
    painter.setPen(QPen(white(0.18), 1));
    painter.drawLine(view.toWidget(QPointF(0, y)), view.toWidget(QPointF(extent.width(), y)));
    painter.drawLine(view.toWidget(QPointF(x, 0)), view.toWidget(QPointF(x, extent.height())));
}

void AreaSelectionView::paintSelection(QPainter& painter, const OverlayCoordinates& view, const QRectF& selection) const
{
    const QRectF area = view.toWidget(selection);
    m_backdrop.paintClear(painter, area);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(area);
    QPen dashed(QColor::fromRgbF(systemBlue.redF(), systemBlue.greenF(), systemBlue.blueF(), 0.95f), 1);
    // Qt measures dashes in pen widths; the pen is one point wide.
    dashed.setDashPattern({ 6, 4 });
    dashed.setDashOffset(0);
    painter.setPen(dashed);
    painter.drawRect(area.adjusted(1, 1, -1, -1));

    if (!AreaSelectionGeometry::showsGuides(selection))
        return;
    painter.setPen(QPen(white(0.18), 1));
    for (const double third : { 1.0 / 3.0, 2.0 / 3.0 }) {
        const double x = area.left() + area.width() * third;
        const double y = area.top() + area.height() * third;
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

void AreaSelectionView::paintLabel(QPainter& painter, const OverlayCoordinates& view, const QRectF& selection) const
{
    const QString text = AreaSelectionGeometry::dimensionText(selection);
    const QFont labelFont = systemFont(true, 14, QFont::Bold);
    const QSizeF textSize = OverlayPainting::textSize(text, labelFont);
    const QRectF box = AreaSelectionGeometry::labelBox(selection, textSize.width());
    fillRoundedBox(painter, view, box, 8, black(0.78));
    const QPointF origin(box.left() + 10, box.top() + (box.height() - textSize.height()) / 2);
    drawText(painter, view, origin, text, labelFont, Qt::white);
}

QRectF AreaSelectionView::labelBox(const QRectF& selection) const
{
    const QString text = AreaSelectionGeometry::dimensionText(selection);
    return AreaSelectionGeometry::labelBox(selection, textSize(text, systemFont(true, 14, QFont::Bold)).width());
}

QRegion AreaSelectionView::decorations() const
{
    const OverlayCoordinates view = coordinates();
    QRegion region;
    if (m_currentPointer) {
        const QPoint at = view.toWidget(*m_currentPointer).toPoint();
        region += QRect(0, at.y() - 2, width(), 5);
        region += QRect(at.x() - 2, 0, 5, height());
    }
    if (m_dragStart && m_dragCurrent) {
        const QRectF selection = AreaSelectionGeometry::selectionRect(*m_dragStart, *m_dragCurrent, m_isShiftPressed);
        // The border's pen and the label's rounding reach a little past their rectangles.
        region += view.toWidget(selection).toAlignedRect().adjusted(-3, -3, 3, 3);
        region += view.toWidget(labelBox(selection)).toAlignedRect().adjusted(-2, -2, 2, 2);
    }
    return region;
}

void AreaSelectionView::paintHint(QPainter& painter, const OverlayCoordinates& view) const
{
    const QString title = QStringLiteral("Drag to capture an area");
    const QString subtitle = QStringLiteral("Hold Shift for a square  \u2022  Esc to cancel");
    const QFont titleFont = systemFont(false, 22, QFont::DemiBold);
    const QFont subtitleFont = systemFont(false, 14, QFont::Medium);
    const AreaSelectionGeometry::HintOrigins origins = AreaSelectionGeometry::hintOrigins(
        view.viewSize(), textSize(title, titleFont), textSize(subtitle, subtitleFont));
    drawText(painter, view, origins.title, title, titleFont, Qt::white);
    drawText(painter, view, origins.subtitle, subtitle, subtitleFont, white(0.74));
}
