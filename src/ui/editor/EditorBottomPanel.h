#pragma once

#include <QWidget>

class AppState;
class ElidedLabel;
class PillFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The bar under the canvas: the image's measurements and the resize group while an image
// is open, a capture hint otherwise, and always the status line and the shortcut summary.
class EditorBottomPanel : public QWidget {
    Q_OBJECT
public:
    explicit EditorBottomPanel(AppState& state, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* resizeField() const { return m_resizeField; }

private:
    QWidget* buildMeasurements();
    QWidget* buildResizeGroup();
    QWidget* buildStatusRow();
    void connectState();
    void showImage();
    void showZoom();
    void showColor();
    void showShortcuts();

    AppState& m_state;
    QLabel* m_captureHint = nullptr;
    QWidget* m_measurements = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    PillFrame* m_colorPill = nullptr;
    QLabel* m_colorDot = nullptr;
    QLabel* m_colorLabel = nullptr;
    QLabel* m_canvasSizeLabel = nullptr;
    QWidget* m_resizeGroup = nullptr;
    QLineEdit* m_resizeField = nullptr;
    QPushButton* m_resizeApply = nullptr;
    QWidget* m_progress = nullptr;
    ElidedLabel* m_status = nullptr;
    QLabel* m_shortcuts = nullptr;
};
