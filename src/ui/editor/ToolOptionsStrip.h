#pragma once

#include <QWidget>

class AppState;
class ColorSwatchButton;
class ElidedLabel;
class PillFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class SliderPill;
class ToggleSwitch;

// The row under the header with the selected tool's settings: its hint or text input,
// the Shift hint, colour, width or size, Apply Crop, the export background switch and Undo.
class ToolOptionsStrip : public QWidget {
    Q_OBJECT
public:
    explicit ToolOptionsStrip(AppState& state, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* textField() const { return m_textField; }

private:
    void buildToolPills();
    void buildStylePills();
    void buildTrailingControls();
    void connectState();
    void showSelectedTool();
    void showColor();

    AppState& m_state;
    PillFrame* m_toolPill = nullptr;
    QLabel* m_toolTitle = nullptr;
    PillFrame* m_textPill = nullptr;
    QLineEdit* m_textField = nullptr;
    PillFrame* m_hintPill = nullptr;
    ElidedLabel* m_hint = nullptr;
    PillFrame* m_shiftPill = nullptr;
    QLabel* m_shiftHint = nullptr;
    PillFrame* m_colorPill = nullptr;
    ColorSwatchButton* m_colorWell = nullptr;
    QLabel* m_colorHex = nullptr;
    SliderPill* m_widthPill = nullptr;
    SliderPill* m_sizePill = nullptr;
    QPushButton* m_applyCrop = nullptr;
    ToggleSwitch* m_background = nullptr;
    QToolButton* m_undo = nullptr;
};
