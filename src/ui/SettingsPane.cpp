#include "ui/SettingsPane.h"

#include "ui/SettingsSection.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

SettingsPane::SettingsPane(QWidget* parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("paneContent"));
    m_layout = new QVBoxLayout(content);
    m_layout->setContentsMargins(36, 24, 36, 24);
    m_layout->setSpacing(22);
    setWidget(content);
}

SettingsSection* SettingsPane::addSection(const QString& title, const QString& description)
{
    auto* section = new SettingsSection(title, description, widget());
    m_layout->addWidget(section);
    return section;
}

void SettingsPane::addNote(const QString& text)
{
    auto* note = new QLabel(text, widget());
    note->setObjectName(QStringLiteral("paneNote"));
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    m_layout->addWidget(note);
}

void SettingsPane::addWidget(QWidget* content)
{
    m_layout->addWidget(content);
}

void SettingsPane::finishLayout()
{
    m_layout->addStretch();
    const QList<QLabel*> labels = widget()->findChildren<QLabel*>(QStringLiteral("rowLabel"));
    int width = 0;
    for (const QLabel* label : labels)
        width = std::max(width, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(width);
}
