#include "ui/editor/ElidedLabel.h"

#include "ui/editor/EditorTheme.h"

#include <QFontMetrics>
#include <QPainter>

ElidedLabel::ElidedLabel(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    updateToolTip();
    update();
}

void ElidedLabel::setSecondary(bool secondary)
{
    m_secondary = secondary;
    update();
}

QSize ElidedLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    return { metrics.horizontalAdvance(m_text) + 2, metrics.height() };
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    return { metrics.horizontalAdvance(QStringLiteral("Mmm…")), metrics.height() };
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const EditorColors colors = EditorTheme::colors(palette());
    painter.setPen(m_secondary ? colors.secondaryText : colors.text);
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignVCenter | Qt::AlignLeft, shown);
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateToolTip();
}

void ElidedLabel::updateToolTip()
{
    const bool elided = fontMetrics().horizontalAdvance(m_text) > width();
    setToolTip(elided ? m_text : QString());
}
