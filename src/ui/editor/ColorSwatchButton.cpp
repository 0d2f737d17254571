#include "ui/editor/ColorSwatchButton.h"

#include "ui/editor/EditorTheme.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QWidgetAction>

#include <array>

namespace {

constexpr std::array<QRgb, 10> s_presets {
    0xFF3B30,
    0xFF9500,
    0xFFCC00,
    0x34C759,
    0x00C7BE,
    0x007AFF,
    0x5856D6,
    0xAF52DE,
    0x1D1D1F,
    0xFFFFFF,
};

void paintSwatch(QPainter& painter, const QRectF& rect, const QColor& color, const EditorColors& colors)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colors.dark ? QColor(255, 255, 255, 70) : QColor(0, 0, 0, 50), 1));
    painter.setBrush(color);
    painter.drawEllipse(rect);
}

} // namespace

ColorSwatchButton::ColorSwatchButton(QWidget* parent)
    : QToolButton(parent)
    , m_color(Qt::red)
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Stroke color"));
    setAccessibleName(QStringLiteral("Stroke color"));
    setAutoRaise(true);
    connect(this, &QToolButton::clicked, this, &ColorSwatchButton::showPresets);
}

void ColorSwatchButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize ColorSwatchButton::sizeHint() const
{
    return { 20, 20 };
}

void ColorSwatchButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF well = QRectF(rect()).adjusted(2, 2, -2, -2);
    paintSwatch(painter, well, m_color, EditorTheme::colors(palette()));
    if (underMouse()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(EditorTheme::colors(palette()).accent, 1.5));
        painter.drawEllipse(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75));
    }
}

void ColorSwatchButton::showPresets()
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->setSpacing(6);
    for (std::size_t index = 0; index < s_presets.size(); ++index) {
        const QColor preset(s_presets[index]);
        auto* swatch = new ColorSwatchButton(grid);
        swatch->setColor(preset);
        swatch->setFixedSize(22, 22);
        swatch->setToolTip(preset.name(QColor::HexRgb).toUpper());
        disconnect(swatch, &QToolButton::clicked, swatch, nullptr);
        connect(swatch, &QToolButton::clicked, menu, [this, menu, preset] {
            menu->close();
            setColor(preset);
            Q_EMIT colorChosen(preset);
        });
        layout->addWidget(swatch, int(index / 5), int(index % 5));
    }
    auto* custom = new QPushButton(QStringLiteral("Custom Color…"), grid);
    connect(custom, &QPushButton::clicked, menu, [this, menu] {
        menu->close();
        openColorDialog();
    });
    layout->addWidget(custom, 2, 0, 1, 5);
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(grid);
    menu->addAction(action);
    menu->popup(mapToGlobal(QPoint(0, height() + 4)));
}

void ColorSwatchButton::openColorDialog()
{
    auto* dialog = new QColorDialog(m_color, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Stroke Color"));
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& chosen) {
        setColor(chosen);
        Q_EMIT colorChosen(chosen);
    });
    dialog->open();
}
