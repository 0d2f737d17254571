#include "ui/settings/SettingsPane.h"

#include "ui/settings/SettingsSection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

SettingsPane::SettingsPane(QWidget* parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("paneContent"));
    auto* centring = new QHBoxLayout(page);
    centring->setContentsMargins(36, 24, 36, 24);
    auto* column = new QWidget(page);
    column->setMaximumWidth(maximumColumnWidth);
    m_layout = new QVBoxLayout(column);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(22);
    centring->addWidget(column);
    setWidget(page);
}

SettingsSection* SettingsPane::addSection(const QString& title, const QString& description)
{
    auto* section = new SettingsSection(title, description, m_layout->parentWidget());
    m_layout->addWidget(section);
    return section;
}

void SettingsPane::addNote(const QString& text)
{
    auto* note = new QLabel(text, m_layout->parentWidget());
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
}

void SettingsPane::alignRowLabels(QWidget* root)
{
    const QList<QLabel*> labels = root->findChildren<QLabel*>(QStringLiteral("rowLabel"));
    int width = 0;
    for (const QLabel* label : labels)
        width = std::max(width, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(width);
}
