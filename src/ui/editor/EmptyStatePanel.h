#pragma once

#include "ui/editor/CaptureCommand.h"

#include <QWidget>

class AppState;

// What the canvas stage shows before there is an image: how to get one, with buttons
// for the usual ways.
class EmptyStatePanel : public QWidget {
    Q_OBJECT
public:
    explicit EmptyStatePanel(AppState& state, QWidget* parent = nullptr);

Q_SIGNALS:
    void captureRequested(CaptureCommand command);

private:
    QWidget* buildQuickActions();

    AppState& m_state;
};
