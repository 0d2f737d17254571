#include "ui/editor/PillFrame.h"

#include "ui/editor/EditorTheme.h"
#include "ui/editor/ToolIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

namespace {

constexpr int s_symbolSize = 15;

} // namespace

PillFrame::PillFrame(const QString& symbolName, QWidget* parent)
    : QFrame(parent)
    , m_layout(new QHBoxLayout(this))
    , m_symbol(new QLabel(this))
{
    setProperty("pill", true);
    setFixedHeight(32);
    m_layout->setContentsMargins(10, 0, 12, 0);
    m_layout->setSpacing(7);
    m_symbol->setFixedSize(s_symbolSize, s_symbolSize);
    m_layout->addWidget(m_symbol);
    setSymbol(symbolName);
}

void PillFrame::setSymbol(const QString& symbolName)
{
    m_symbol->setVisible(!symbolName.isEmpty());
    if (symbolName.isEmpty())
        return;
    const EditorColors colors = EditorTheme::colors(palette());
    const QColor tint = property("accentPill").toBool() ? colors.accent : colors.secondaryText;
    m_symbol->setPixmap(ToolIcons::icon(symbolName, tint).pixmap(s_symbolSize, s_symbolSize));
    m_symbol->setProperty("symbolName", symbolName);
}

QLabel* PillFrame::addLabel(const QString& text, bool secondary)
{
    auto* label = new QLabel(text, this);
    label->setProperty("secondary", secondary);
    m_layout->addWidget(label);
    return label;
}

void PillFrame::setAccented(bool accented)
{
    setProperty("accentPill", accented);
    style()->unpolish(this);
    style()->polish(this);
    setSymbol(m_symbol->property("symbolName").toString());
}
