#include "ui/settings/BackgroundStylePicker.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr QSize cardSize { 168, 132 };
// The solid colour style's frame, (0.18, 0.19, 0.22) in sRGB.
constexpr QColor solidFrame(46, 48, 56);

void paintCheckerboard(QPainter& painter, const QRectF& area)
{
    constexpr int square = 8;
    painter.fillRect(area, QColor(0xF4, 0xF4, 0xF4));
    for (int row = 0; row * square < area.height(); ++row) {
        for (int column = row % 2; column * square < area.width(); column += 2) {
            const QRectF cell(area.left() + column * square, area.top() + row * square, square, square);
            painter.fillRect(cell.intersected(area), QColor(0xDD, 0xDD, 0xDD));
        }
    }
}

// The backdrop the style puts around a screenshot.
void paintBackdrop(QPainter& painter, const QRectF& area, WindowBackgroundStyle style)
{
    switch (style) {
    case WindowBackgroundStyle::wallpaper: {
        QLinearGradient gradient(area.bottomRight(), area.topLeft());
        gradient.setColorAt(0, QColor::fromRgbF(0.29f, 0.56f, 0.96f));
        gradient.setColorAt(1, QColor::fromRgbF(0.96f, 0.43f, 0.62f));
        painter.fillRect(area, gradient);
        break;
    }
    case WindowBackgroundStyle::transparent:
        paintCheckerboard(painter, area);
        break;
    case WindowBackgroundStyle::solidColor:
        painter.fillRect(area, solidFrame);
        break;
    case WindowBackgroundStyle::trimShadow:
        paintCheckerboard(painter, area);
        painter.fillRect(area.adjusted(10, 10, -10, -10), Qt::white);
        break;
    }
}

// A small window: title bar with three dots over a plain body.
void paintMiniWindow(QPainter& painter, const QRectF& frame, bool shadow)
{
    if (shadow) {
        for (int spread = 6; spread > 0; --spread) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 0, 0, 10));
            painter.drawRoundedRect(frame.adjusted(-spread, -spread + 3, spread, spread + 3), 6 + spread, 6 + spread);
        }
    }
    painter.setPen(QPen(QColor(0, 0, 0, 40), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(frame, 5, 5);
    const QRectF titleBar(frame.left(), frame.top(), frame.width(), 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE9, 0xE9, 0xEB));
    QPainterPath bar;
    bar.addRoundedRect(titleBar, 5, 5);
    bar.addRect(titleBar.adjusted(0, 6, 0, 0));
    painter.drawPath(bar.simplified());
    const QColor dots[] { QColor(0xFF, 0x5F, 0x57), QColor(0xFE, 0xBC, 0x2E), QColor(0x28, 0xC8, 0x40) };
    for (int index = 0; index < 3; ++index) {
        painter.setBrush(dots[index]);
        painter.drawEllipse(QPointF(frame.left() + 8 + index * 8, frame.top() + 6), 2.2, 2.2);
    }
    painter.setBrush(QColor(0xD5, 0xDB, 0xE5));
    for (int line = 0; line < 3; ++line)
        painter.drawRoundedRect(
            QRectF(frame.left() + 9, frame.top() + 20 + line * 9, frame.width() * (0.7 - line * 0.15), 4), 2, 2);
}

class BackgroundStyleCard : public QAbstractButton {
public:
    BackgroundStyleCard(WindowBackgroundStyle style, QWidget* parent)
        : QAbstractButton(parent)
        , m_style(style)
    {
        setCheckable(true);
        setText(BackgroundStylePicker::label(style));
        setObjectName(WindowBackgroundStyles::rawValue(style));
        setFixedSize(cardSize);
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor accent = palette().color(QPalette::Highlight);
        const QRectF preview(6, 6, width() - 12, height() - 40);
        QPainterPath clip;
        clip.addRoundedRect(preview, 8, 8);
        painter.save();
        painter.setClipPath(clip);
        paintBackdrop(painter, preview, m_style);
        const QRectF window = preview.adjusted(24, 16, -24, -12);
        paintMiniWindow(painter, window, m_style != WindowBackgroundStyle::trimShadow);
        painter.restore();

        painter.setBrush(Qt::NoBrush);
        painter.setPen(isChecked() ? QPen(accent, 3) : QPen(palette().color(QPalette::Mid), 1));
        painter.drawRoundedRect(preview.adjusted(-2, -2, 2, 2), 10, 10);
        if (hasFocus() && !isChecked()) {
            painter.setPen(QPen(accent, 1, Qt::DashLine));
            painter.drawRoundedRect(preview.adjusted(-2, -2, 2, 2), 10, 10);
        }

        QFont font = painter.font();
        font.setWeight(isChecked() ? QFont::DemiBold : QFont::Normal);
        painter.setFont(font);
        painter.setPen(palette().color(isChecked() ? QPalette::Highlight : QPalette::WindowText));
        painter.drawText(QRectF(0, height() - 30, width(), 26), Qt::AlignCenter, text());
    }

private:
    WindowBackgroundStyle m_style;
};

} // namespace

BackgroundStylePicker::BackgroundStylePicker(Observable<WindowBackgroundStyle>& field, QWidget* parent)
    : QWidget(parent)
    , m_field(field)
    , m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("windowBackgroundStyle"));
    m_group->setExclusive(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    layout->addStretch();
    int index = 0;
    for (WindowBackgroundStyle style : WindowBackgroundStyles::allCases) {
        auto* card = new BackgroundStyleCard(style, this);
        m_group->addButton(card, index++);
        layout->addWidget(card);
    }
    layout->addStretch();
    showSelection();
    connect(&m_field, &ObservableNotifier::changed, this, &BackgroundStylePicker::showSelection);
    connect(m_group, &QButtonGroup::idClicked, this,
        [this](int id) { m_field.set(WindowBackgroundStyles::allCases.at(static_cast<std::size_t>(id))); });
}

QString BackgroundStylePicker::label(WindowBackgroundStyle style)
{
    switch (style) {
    case WindowBackgroundStyle::wallpaper:
        return QStringLiteral("Wallpaper");
    case WindowBackgroundStyle::transparent:
        return QStringLiteral("Transparent");
    case WindowBackgroundStyle::solidColor:
        return QStringLiteral("Solid Color");
    case WindowBackgroundStyle::trimShadow:
        break;
    }
    return QStringLiteral("Trim shadow");
}

void BackgroundStylePicker::showSelection()
{
    const auto position = std::ranges::find(WindowBackgroundStyles::allCases, m_field.get());
    QAbstractButton* card = m_group->button(static_cast<int>(position - WindowBackgroundStyles::allCases.begin()));
    if (card)
        card->setChecked(true);
}
