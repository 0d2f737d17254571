#pragma once

#include <QScrollArea>

class QVBoxLayout;
class SettingsSection;

// The scrolling page of one settings tab: sections stacked from the top, with
// the labels of every section right-aligned on one common column.
class SettingsPane : public QScrollArea {
    Q_OBJECT
public:
    explicit SettingsPane(QWidget* parent = nullptr);

protected:
    SettingsSection* addSection(const QString& title, const QString& description = {});
    // A line of small print under the sections.
    void addNote(const QString& text);
    void addWidget(QWidget* content);
    // Call once every row is added.
    void finishLayout();

private:
    QVBoxLayout* m_layout;
};
