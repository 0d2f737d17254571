#pragma once

#include <QWidget>

class QFormLayout;
class QLayout;
class QVBoxLayout;

// A titled group of settings: an optional line of explanation, then rows of a
// label and a control on one rounded panel.
class SettingsSection : public QWidget {
    Q_OBJECT
public:
    explicit SettingsSection(const QString& title, const QString& description = {}, QWidget* parent = nullptr);

    void addRow(const QString& label, QWidget* control);
    void addRow(const QString& label, QLayout* controls);
    // Content that spans the whole panel, such as option cards.
    void addWidget(QWidget* content);
    // Hides or shows a row added with addRow, label included.
    void setRowVisible(QWidget* control, bool visible);
    void setRowVisible(QLayout* controls, bool visible);

private:
    QVBoxLayout* m_panelLayout;
    QFormLayout* m_rows = nullptr;
    QFormLayout* rows();
};
