#include "ui/pinned/PinnedImageView.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

namespace {

constexpr int s_resizeMargin = 8;

Qt::Edges edgesAt(QPoint position, QSize size)
{
    Qt::Edges edges;
    if (position.x() < s_resizeMargin)
        edges |= Qt::LeftEdge;
    if (position.x() >= size.width() - s_resizeMargin)
        edges |= Qt::RightEdge;
    if (position.y() < s_resizeMargin)
        edges |= Qt::TopEdge;
    if (position.y() >= size.height() - s_resizeMargin)
        edges |= Qt::BottomEdge;
    return edges;
}

} // namespace

PinnedImageView::PinnedImageView(Image image, QWidget* parent)
    : QWidget(parent)
    , m_image(std::move(image))
{
    setAttribute(Qt::WA_TranslucentBackground);
}

QRectF PinnedImageView::imageRect() const
{
    const QRectF area = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    if (area.isEmpty() || m_image.isNull())
        return area;
    QSizeF fitted = m_image.size();
    fitted.scale(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

void PinnedImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF target = imageRect();
    QPainterPath rounded;
    rounded.addRoundedRect(target, cornerRadius, cornerRadius);

    m_shadow.paint(painter, target);

    painter.save();
    painter.setClipPath(rounded);
    painter.drawImage(target, m_image.pixels());
    painter.restore();
    painter.setPen(QPen(QColor(255, 255, 255, int(255 * 0.55)), 1));
    painter.drawPath(rounded);
    paintBadge(painter);
}

void PinnedImageView::paintBadge(QPainter& painter) const
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(11);
    font.setBold(true);
    const QString text = QStringLiteral("Pinned");
    const QSizeF textSize = QFontMetricsF(font).size(Qt::TextSingleLine, text);
    const QSizeF badgeSize(textSize.width() + 20, textSize.height() + 12);
    const QRectF badge(QPointF(width() - padding - 12 - badgeSize.width(), padding + 12), badgeSize);
    QPainterPath capsule;
    capsule.addRoundedRect(badge, badgeSize.height() / 2, badgeSize.height() / 2);
    // A light translucent capsule plays the part of a frosted material.
    painter.fillPath(capsule, QColor(245, 245, 245, 200));
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(badge, Qt::AlignCenter, text);
}

void PinnedImageView::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void PinnedImageView::mousePressEvent(QMouseEvent* event)
{
    QWindow* handle = window()->windowHandle();
    if (event->button() != Qt::LeftButton || !handle)
        return QWidget::mousePressEvent(event);
    const Qt::Edges edges = edgesAt(event->position().toPoint(), size());
    // The window manager moves and resizes the frameless window for us.
    if (edges)
        handle->startSystemResize(edges);
    else
        handle->startSystemMove();
    event->accept();
}
