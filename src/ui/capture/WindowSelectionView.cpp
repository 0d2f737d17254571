#include "ui/capture/WindowSelectionView.h"

#include "engine/WindowSelectionGeometry.h"
#include "ui/capture/OverlayPainting.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

using namespace OverlayPainting;

WindowSelectionView::WindowSelectionView(QList<CapturableWindow> windows, const FrozenScreen& frozen)
    : m_windows(std::move(windows))
    , m_frame(frozen.screen.frame)
    , m_backdrop(frozen.picture, black(0.46))
{
    setWindowTitle(QStringLiteral("Select a Window"));
}

void WindowSelectionView::setHoveredWindowID(std::optional<std::uint32_t> id)
{
    if (id == m_hoveredWindowID)
        return;
    m_hoveredWindowID = id;
    update();
}

OverlayCoordinates WindowSelectionView::coordinates() const
{
    return OverlayCoordinates(QSizeF(size()), m_frame.size());
}

std::optional<CapturableWindow> WindowSelectionView::windowUnder(const QMouseEvent* event) const
{
    // Window frames are global, the view's points start at the overlay's own origin.
    const QPointF global = coordinates().toView(event->position()) + m_frame.topLeft();
    return WindowSelectionGeometry::windowAt(m_windows, global);
}

void WindowSelectionView::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<CapturableWindow> hit = windowUnder(event);
    const std::optional<std::uint32_t> id = hit ? std::optional(hit->id) : std::nullopt;
    if (id == m_hoveredWindowID)
        return;
    setHoveredWindowID(id);
    Q_EMIT hoveredWindowChanged(id);
}

void WindowSelectionView::mousePressEvent(QMouseEvent* event)
{
    // Only the primary button picks or cancels; a stray right or middle click changes nothing.
    if (event->button() != Qt::LeftButton)
        return;
    m_result = windowUnder(event);
    finish();
}

void WindowSelectionView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WindowSelectionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_backdrop.paintDimmed(painter, rect());
    const OverlayCoordinates view = coordinates();
    const auto hovered = std::find_if(m_windows.cbegin(), m_windows.cend(),
        [this](const CapturableWindow& window) { return m_hoveredWindowID == window.id; });
    if (hovered == m_windows.cend()) {
        paintHint(painter, view);
        return;
    }
    paintHighlight(painter, view, *hovered);
    paintCaption(painter, view, *hovered);
}

void WindowSelectionView::paintHighlight(
    QPainter& painter, const OverlayCoordinates& view, const CapturableWindow& window) const
{
    const QRectF local = view.toWidget(window.frame.translated(-m_frame.topLeft()));
    constexpr double radius = WindowSelectionGeometry::cornerRadius;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath surroundings;
    surroundings.setFillRule(Qt::OddEvenFill);
    surroundings.addRect(QRectF(rect()));
    surroundings.addRoundedRect(local, radius, radius);
    painter.fillPath(surroundings, black(0.28));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawRoundedRect(local, radius, radius);
    painter.setPen(QPen(QColor::fromRgbF(systemBlue.redF(), systemBlue.greenF(), systemBlue.blueF(), 0.72f), 2));
    painter.drawRoundedRect(local.adjusted(-4, -4, 4, 4), radius + 4, radius + 4);
    painter.restore();
}

void WindowSelectionView::paintCaption(
    QPainter& painter, const OverlayCoordinates& view, const CapturableWindow& window) const
{
    const QRectF local = window.frame.translated(-m_frame.topLeft());
    const QString title = WindowSelectionGeometry::displayName(window);
    const QString detail = WindowSelectionGeometry::sizeText(local);
    const QFont titleFont = systemFont(false, 15, QFont::DemiBold);
    const QFont detailFont = systemFont(true, 12, QFont::Medium);
    const WindowSelectionGeometry::Caption caption = WindowSelectionGeometry::caption(
        local, view.viewSize(), textSize(title, titleFont).width(), textSize(detail, detailFont).width());
    fillRoundedBox(painter, view, caption.box, 14, black(0.76));
    drawText(painter, view, caption.titleOrigin, title, titleFont, Qt::white);
    drawText(painter, view, caption.detailOrigin, detail, detailFont, white(0.82));
}

void WindowSelectionView::paintHint(QPainter& painter, const OverlayCoordinates& view) const
{
    const WindowSelectionGeometry::Hint hint = WindowSelectionGeometry::hint(view.viewSize());
    fillRoundedBox(painter, view, hint.box, 24, black(0.58));
    const QString title = QStringLiteral("Hover a window to capture");
    const QString subtitle = QStringLiteral("Click to capture it  \u2022  Esc to cancel");
    const QFont titleFont = systemFont(false, 26, QFont::DemiBold);
    const QFont subtitleFont = systemFont(false, 15, QFont::Medium);
    const double midX = view.viewSize().width() / 2;
    drawText(painter, view, QPointF(midX - textSize(title, titleFont).width() / 2, hint.titleY), title, titleFont,
        Qt::white);
    drawText(painter, view, QPointF(midX - textSize(subtitle, subtitleFont).width() / 2, hint.subtitleY), subtitle,
        subtitleFont, white(0.88));
}
