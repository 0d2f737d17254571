#include "ui/editor/ToggleSwitch.h"

#include "ui/editor/EditorTheme.h"

#include <QPainter>

namespace {

constexpr int s_trackWidth = 32;
constexpr int s_trackHeight = 18;
constexpr int s_gap = 8;

} // namespace

ToggleSwitch::ToggleSwitch(const QString& text, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(text);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const
{
    const QFontMetrics metrics(font());
    return { s_trackWidth + s_gap + metrics.horizontalAdvance(text()) + 2, std::max(s_trackHeight, metrics.height()) };
}

void ToggleSwitch::paintEvent(QPaintEvent*)
{
    const EditorColors colors = EditorTheme::colors(palette());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0.5, (height() - s_trackHeight) / 2.0 + 0.5, s_trackWidth - 1, s_trackHeight - 1);
    painter.setPen(isChecked() ? Qt::NoPen : QPen(colors.border, 1));
    painter.setBrush(isChecked() ? colors.accent : (colors.dark ? colors.border : QColor(0xE3, 0xE5, 0xE9)));
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);

    const double knob = s_trackHeight - 4;
    const double knobX = isChecked() ? track.right() - knob - 1.5 : track.left() + 1.5;
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(knobX, track.top() + 1.5, knob, knob));

    QColor textColor = colors.text;
    if (!isEnabled())
        textColor = colors.secondaryText;
    painter.setPen(textColor);
    painter.drawText(QRect(s_trackWidth + s_gap, 0, width() - s_trackWidth - s_gap, height()),
        Qt::AlignVCenter | Qt::AlignLeft, text());
}
