#pragma once

#include "domain/AnnotationTool.h"

#include <QWidget>

#include <array>

class AppState;
class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;

// The top bar: the application mark, one button per drawing tool and the export actions.
class EditorHeader : public QWidget {
    Q_OBJECT
public:
    // The tool buttons, left to right.
    static constexpr std::array<AnnotationTool, 15> visibleTools {
        AnnotationTool::select,
        AnnotationTool::arrow,
        AnnotationTool::text,
        AnnotationTool::line,
        AnnotationTool::rectangle,
        AnnotationTool::oval,
        AnnotationTool::freehand,
        AnnotationTool::magnifier,
        AnnotationTool::highlight,
        AnnotationTool::pixelate,
        AnnotationTool::spotlight,
        AnnotationTool::callout,
        AnnotationTool::ruler,
        AnnotationTool::colorPicker,
        AnnotationTool::crop,
    };

    explicit EditorHeader(AppState& state, QWidget* parent = nullptr);

    [[nodiscard]] QAbstractButton* toolButton(AnnotationTool tool) const;

Q_SIGNALS:
    void addCaptureRequested();

private:
    void addBrand(QHBoxLayout* row);
    void addToolButtons(QHBoxLayout* row);
    void addActionButtons(QHBoxLayout* row);
    void showSelectedTool();

    AppState& m_state;
    QButtonGroup* m_tools;
};
