#include "ui/settings/SettingsSection.h"

#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* rowLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("rowLabel"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

SettingsSection::SettingsSection(const QString& title, const QString& description, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (!title.isEmpty()) {
        auto* titleLabel = new QLabel(title, this);
        titleLabel->setObjectName(QStringLiteral("sectionTitle"));
        QFont font = titleLabel->font();
        font.setWeight(QFont::DemiBold);
        font.setPointSizeF(font.pointSizeF() * 1.1);
        titleLabel->setFont(font);
        layout->addWidget(titleLabel);
    }
    if (!description.isEmpty()) {
        auto* descriptionLabel = new QLabel(description, this);
        descriptionLabel->setObjectName(QStringLiteral("sectionDescription"));
        descriptionLabel->setWordWrap(true);
        descriptionLabel->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(descriptionLabel);
    }
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("settingsPanel"));
    m_panelLayout = new QVBoxLayout(panel);
    m_panelLayout->setContentsMargins(20, 16, 20, 16);
    m_panelLayout->setSpacing(12);
    layout->addWidget(panel);
}

QFormLayout* SettingsSection::rows()
{
    if (!m_rows) {
        m_rows = new QFormLayout;
        m_rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_rows->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_rows->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        m_rows->setRowWrapPolicy(QFormLayout::DontWrapRows);
        m_rows->setHorizontalSpacing(18);
        m_rows->setVerticalSpacing(12);
        m_panelLayout->addLayout(m_rows);
    }
    return m_rows;
}

void SettingsSection::addRow(const QString& label, QWidget* control)
{
    rows()->addRow(rowLabel(label), control);
}

void SettingsSection::addRow(const QString& label, QLayout* controls)
{
    rows()->addRow(rowLabel(label), controls);
}

void SettingsSection::addWidget(QWidget* content)
{
    m_panelLayout->addWidget(content);
}

void SettingsSection::setRowVisible(QWidget* control, bool visible)
{
    rows()->setRowVisible(control, visible);
}

void SettingsSection::setRowVisible(QLayout* controls, bool visible)
{
    rows()->setRowVisible(controls, visible);
}
