#include "ui/capture/ScrollingPanelWindow.h"

#include "engine/PanelPlacement.h"

#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int badgeSize = 36;

class Badge : public QWidget {
public:
    explicit Badge(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(badgeSize, badgeSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
        gradient.setColorAt(0, QColor(0x32, 0xD2, 0xF0));
        gradient.setColorAt(1, QColor(0x00, 0x7A, 0xFF));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(rect());
        // A scroll sign: a vertical track with arrowheads at both ends.
        QPen pen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QPointF c = QRectF(rect()).center();
        painter.drawLine(c + QPointF(0, -9), c + QPointF(0, 9));
        painter.drawPolyline(QPolygonF { c + QPointF(-4, -5), c + QPointF(0, -9), c + QPointF(4, -5) });
        painter.drawPolyline(QPolygonF { c + QPointF(-4, 5), c + QPointF(0, 9), c + QPointF(4, 5) });
    }
};

} // namespace

ScrollingPanelWindow::ScrollingPanelWindow(QSize size, bool acceptsFocus, Decorator decorator)
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | (acceptsFocus ? Qt::WindowFlags() : Qt::WindowDoesNotAcceptFocus))
    , m_designSize(size)
    , m_decorator(std::move(decorator))
{
    // Floats with the status-level windows, which captures leave in place.
    setProperty("trovixWindowLevel", 25);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(size);
}

void ScrollingPanelWindow::placeOn(const Screen& screen)
{
    move(PanelPlacement::topRightLogicalPosition(screen, QSizeF(size())));
}

void ScrollingPanelWindow::fitContent()
{
    QLayout* content = layout();
    if (!content)
        return;
    content->activate();
    const int width = std::max(m_designSize.width(), content->totalMinimumSize().width());
    const int height = std::max(m_designSize.height(),
        content->hasHeightForWidth() ? content->totalHeightForWidth(width) : content->totalSizeHint().height());
    if (QSize(width, height) == size())
        return;
    const int rightEdge = x() + this->width();
    setFixedSize(width, height);
    if (isVisible())
        move(rightEdge - width, y());
}

void ScrollingPanelWindow::orderFrontRegardless()
{
    // The window manager reads the hints when the window is mapped, so they go on every time.
    if (m_decorator && !isVisible()) {
        winId();
        m_decorator(*this);
    }
    show();
    raise();
}

QWidget* ScrollingPanelWindow::makeBadge(QWidget* parent)
{
    return new Badge(parent);
}

QLabel* ScrollingPanelWindow::makeLabel(const QString& text, int pixelSize, QFont::Weight weight, bool secondary)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setWordWrap(true);
    if (secondary)
        label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QLabel* ScrollingPanelWindow::makeCapsule(int pixelSize)
{
    QLabel* capsule = makeLabel(QString(), pixelSize, QFont::DemiBold, false);
    capsule->setWordWrap(false);
    capsule->setContentsMargins(10, 6, 10, 6);
    capsule->setStyleSheet(QStringLiteral("QLabel { background: rgba(0, 0, 0, 20); border-radius: 12px; }"));
    return capsule;
}

void ScrollingPanelWindow::mousePressEvent(QMouseEvent* event)
{
    // Buttons take their own presses; what reaches the window is a press on its background.
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragOffset = event->globalPosition().toPoint() - pos();
    event->accept();
}

void ScrollingPanelWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragOffset || !event->buttons().testFlag(Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    move(event->globalPosition().toPoint() - *m_dragOffset);
}

void ScrollingPanelWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragOffset.reset();
    QWidget::mouseReleaseEvent(event);
}

void ScrollingPanelWindow::paintEvent(QPaintEvent*)
{
    // Without a compositor there is no translucency to draw a material with, so the panel is
    // an opaque card: the window colour with a hairline edge.
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
