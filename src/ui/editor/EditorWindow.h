#pragma once

#include "ui/editor/CaptureCommand.h"
#include "ui/editor/EditorWindowPorts.h"

#include <QMainWindow>

class AppState;
class CanvasViewport;
class EditorBottomPanel;
class EditorHeader;
class EditorMenus;
class EditorWindowRegistration;
class EmptyStatePanel;
class ErrorAlert;
class QStackedWidget;
class RecognitionSheet;
class ToolOptionsStrip;

// The one editor window, "Trovix": header, tool options, the canvas or the empty state,
// the bottom panel, the menus, the recognition sheet and the error alert. It keeps no
// document data: everything it shows lives in the application state.
class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    EditorWindow(AppState& state, EditorWindowPorts ports, QWidget* parent = nullptr);
    ~EditorWindow() override;

    [[nodiscard]] EditorHeader* header() const { return m_header; }
    [[nodiscard]] ToolOptionsStrip* optionsStrip() const { return m_optionsStrip; }
    [[nodiscard]] EditorBottomPanel* bottomPanel() const { return m_bottomPanel; }
    [[nodiscard]] EditorMenus* menus() const { return m_menus; }
    [[nodiscard]] RecognitionSheet* recognitionSheet() const { return m_recognitionSheet; }
    [[nodiscard]] ErrorAlert* errorAlert() const { return m_errorAlert; }
    [[nodiscard]] EmptyStatePanel* emptyStatePanel() const { return m_emptyState; }
    [[nodiscard]] CanvasViewport* canvasViewport() const { return m_viewport; }
    [[nodiscard]] bool isShowingCanvas() const;

    // Brings the application and this window forward, then toggles full screen.
    void toggleFullScreen();

Q_SIGNALS:
    void captureRequested(CaptureCommand command);
    void settingsRequested();

private:
    QWidget* buildStage();
    void connectSignals();
    void showStage();
    void updateCanvasInteraction();

    AppState& m_state;
    EditorWindowPorts m_ports;
    EditorHeader* m_header = nullptr;
    ToolOptionsStrip* m_optionsStrip = nullptr;
    QStackedWidget* m_stage = nullptr;
    EmptyStatePanel* m_emptyState = nullptr;
    CanvasViewport* m_viewport = nullptr;
    EditorBottomPanel* m_bottomPanel = nullptr;
    EditorMenus* m_menus = nullptr;
    RecognitionSheet* m_recognitionSheet = nullptr;
    ErrorAlert* m_errorAlert = nullptr;
    EditorWindowRegistration* m_registration = nullptr;
};
