#include "ui/editor/EditorTheme.h"

namespace {

QString css(const QColor& color)
{
    if (color.alpha() == 255)
        return color.name(QColor::HexRgb);
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

const char* const s_template = R"(
QMainWindow, #editorCentral, QDialog { background: @window; }
QMenuBar { background: @surface; color: @text; border-bottom: 1px solid @border; padding: 2px 6px; }
QMenuBar::item { background: transparent; padding: 4px 10px; border-radius: 6px; }
QMenuBar::item:selected, QMenuBar::item:pressed { background: @hover; }
QMenu { background: @surface; color: @text; border: 1px solid @border; padding: 5px; }
QMenu::item { padding: 6px 28px 6px 24px; border-radius: 5px; }
QMenu::item:selected { background: @accent; color: @accentText; }
QMenu::item:disabled { color: @secondary; background: transparent; }
QMenu::separator { height: 1px; background: @border; margin: 5px 8px; }
QMenu::indicator { width: 14px; height: 14px; left: 6px; }
QLabel { color: @text; }
QToolTip { background: @tooltip; color: @tooltipText; border: none; padding: 4px 8px; }
QLabel[secondary="true"] { color: @secondary; }
#editorHeader { background: @surface; border-bottom: 1px solid @border; }
#brandTitle { font-size: 15px; font-weight: 700; color: @text; }
#toolGroup { background: @window; border: 1px solid @border; border-radius: 11px; }
QToolButton#toolButton, QToolButton#actionButton {
    border: 1px solid transparent; border-radius: 8px; background: transparent; padding: 0px;
}
QToolButton#toolButton:hover, QToolButton#actionButton:hover { background: @hover; }
QToolButton#toolButton:checked { background: @accent; border-color: @accent; }
QToolButton#actionButton { border-color: @border; background: @raised; }
QToolButton#actionButton:pressed, QToolButton#toolButton:pressed { background: @border; }
#toolOptionsStrip { background: @window; border-bottom: 1px solid @border; }
QFrame[pill="true"] { background: @raised; border: 1px solid @border; border-radius: 10px; }
QFrame[pill="true"] QLabel { background: transparent; }
QFrame[pill="true"][accentPill="true"] { background: @accentSoft; border-color: @accentBorder; }
QFrame[pill="true"][accentPill="true"] QLabel { color: @accent; font-weight: 600; }
#canvasStage { background: @stage; }
#emptyCard { background: @surface; border: 1px solid @border; border-radius: 18px; }
#emptyTitle { font-size: 20px; font-weight: 700; }
#bottomPanel { background: @surface; border-top: 1px solid @border; }
#statusLabel { color: @text; }
QPushButton {
    background: @raised; color: @text; border: 1px solid @border; border-radius: 8px; padding: 5px 12px;
}
QPushButton:hover { background: @hover; }
QPushButton:pressed { background: @border; }
QPushButton:disabled { color: @secondary; }
QPushButton[prominent="true"], QPushButton:default {
    background: @accent; color: @accentText; border-color: @accent; font-weight: 600;
}
QPushButton[prominent="true"]:hover, QPushButton:default:hover { background: @accentHover; }
QToolButton#undoButton {
    background: @raised; color: @text; border: 1px solid @border; border-radius: 8px; padding: 4px 10px;
}
QToolButton#undoButton:hover { background: @hover; }
QLineEdit, QPlainTextEdit {
    background: @field; color: @text; border: 1px solid @border; border-radius: 7px; padding: 3px 7px;
    selection-background-color: @accent;
}
QLineEdit:focus, QPlainTextEdit:focus { border: 1px solid @accent; }
QFrame[pill="true"] QLineEdit { border: none; background: transparent; padding: 0px 2px; }
QFrame[pill="true"] QLineEdit#resizeField {
    border: 1px solid @border; background: @field; border-radius: 6px; padding: 1px 5px;
}
QFrame[pill="true"] QLineEdit#resizeField:focus { border-color: @accent; }
QFrame[pill="true"] QPushButton { padding: 3px 10px; border-radius: 7px; }
QSlider::groove:horizontal { height: 4px; background: @border; border-radius: 2px; }
QSlider::sub-page:horizontal { background: @accent; border-radius: 2px; }
QSlider::handle:horizontal {
    background: #FFFFFF; border: 1px solid @handleBorder; width: 14px; height: 14px; margin: -6px 0; border-radius: 8px;
}
QProgressBar { background: @border; border: none; border-radius: 3px; max-height: 6px; }
QProgressBar::chunk { background: @accent; border-radius: 3px; }
#sheetTitle { font-size: 17px; font-weight: 700; }
#sectionTitle { font-weight: 600; }
QListWidget { background: @field; color: @text; border: 1px solid @border; border-radius: 7px; padding: 3px; }
QListWidget::item { padding: 4px 6px; border-radius: 5px; }
QListWidget::item:selected { background: @accent; color: @accentText; }
#emptyCard QPushButton { padding: 7px 14px; }
)";

} // namespace

namespace EditorTheme {

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

EditorColors colors(const QPalette& palette)
{
    if (isDark(palette)) {
        return { .dark = true,
            .window = QColor(0x1C, 0x1D, 0x21),
            .surface = QColor(0x25, 0x26, 0x2B),
            .raised = QColor(0x2E, 0x30, 0x36),
            .border = QColor(0x3A, 0x3D, 0x44),
            .text = QColor(0xEC, 0xED, 0xEF),
            .secondaryText = QColor(0x9A, 0xA0, 0xA8),
            .accent = QColor(0x0A, 0x84, 0xFF),
            .accentText = Qt::white,
            .hover = QColor(255, 255, 255, 20),
            .stage = QColor(0x15, 0x16, 0x19),
            .field = QColor(0x1C, 0x1D, 0x21) };
    }
    return { .dark = false,
        .window = QColor(0xF4, 0xF5, 0xF7),
        .surface = QColor(0xFF, 0xFF, 0xFF),
        .raised = QColor(0xFF, 0xFF, 0xFF),
        .border = QColor(0xDF, 0xE2, 0xE7),
        .text = QColor(0x1D, 0x20, 0x26),
        .secondaryText = QColor(0x6B, 0x72, 0x80),
        .accent = QColor(0x00, 0x7A, 0xFF),
        .accentText = Qt::white,
        .hover = QColor(0, 0, 0, 14),
        .stage = QColor(0xE6, 0xE8, 0xEC),
        .field = QColor(0xFF, 0xFF, 0xFF) };
}

QString styleSheet(const EditorColors& colors)
{
    QColor accentSoft = colors.accent;
    accentSoft.setAlpha(colors.dark ? 46 : 26);
    QColor accentBorder = colors.accent;
    accentBorder.setAlpha(colors.dark ? 110 : 70);
    QString sheet = QString::fromUtf8(s_template);
    // Longer names first, so "@accent" never eats the start of "@accentSoft".
    const std::pair<const char*, QColor> substitutions[] = {
        { "@accentSoft", accentSoft },
        { "@accentBorder", accentBorder },
        { "@accentHover", colors.accent.lighter(112) },
        { "@accentText", colors.accentText },
        { "@accent", colors.accent },
        { "@tooltipText", colors.dark ? colors.text : QColor(Qt::white) },
        { "@tooltip", colors.dark ? colors.raised : QColor(0x2B, 0x2E, 0x35) },
        { "@handleBorder", colors.dark ? colors.border : QColor(0xC4, 0xC8, 0xCF) },
        { "@window", colors.window },
        { "@surface", colors.surface },
        { "@raised", colors.raised },
        { "@border", colors.border },
        { "@text", colors.text },
        { "@secondary", colors.secondaryText },
        { "@hover", colors.hover },
        { "@stage", colors.stage },
        { "@field", colors.field },
    };
    for (const auto& [name, color] : substitutions)
        sheet.replace(QLatin1String(name), css(color));
    return sheet;
}

} // namespace EditorTheme
