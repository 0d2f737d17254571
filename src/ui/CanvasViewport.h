#pragma once

#include <QWidget>

class AppState;

// The scrollable, magnifiable view of the open document; owns the AnnotationCanvas.
class CanvasViewport : public QWidget {
    Q_OBJECT
public:
    explicit CanvasViewport(AppState& state, QWidget* parent = nullptr);
    ~CanvasViewport() override;

    // Off while a capture runs or a sheet is open; cancels an active drag.
    void setInteractionEnabled(bool enabled);
};
