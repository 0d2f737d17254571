#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;

// A rounded capsule holding a small symbol and a row of content, the editor's unit of
// grouping in the options strip and the bottom panel.
class PillFrame : public QFrame {
    Q_OBJECT
public:
    // An empty symbol name makes a pill without a symbol.
    explicit PillFrame(const QString& symbolName, QWidget* parent = nullptr);

    [[nodiscard]] QHBoxLayout* contentLayout() const { return m_layout; }
    // Adds a label; secondary labels use the quieter text colour.
    QLabel* addLabel(const QString& text, bool secondary = false);
    // Marks the pill as the highlighted one (the selected tool).
    void setAccented(bool accented);
    void setSymbol(const QString& symbolName);

private:
    QHBoxLayout* m_layout;
    QLabel* m_symbol;
};
