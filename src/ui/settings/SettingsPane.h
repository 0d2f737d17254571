#pragma once

#include <QScrollArea>

class QVBoxLayout;
class SettingsSection;

// The scrolling page of one settings tab: sections stacked from the top in a
// column of bounded width.
class SettingsPane : public QScrollArea {
    Q_OBJECT
public:
    // The widest a pane's column grows; wider windows centre it.
    static constexpr int maximumColumnWidth = 820;

    explicit SettingsPane(QWidget* parent = nullptr);

    // Gives every row label under root the width of the widest, so that the
    // controls of all sections (and all panes) start on one line.
    static void alignRowLabels(QWidget* root);

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
