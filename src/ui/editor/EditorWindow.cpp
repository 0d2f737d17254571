#include "ui/editor/EditorWindow.h"

#include "app/AppState.h"
#include "ports/WorkspacePort.h"
#include "ui/editor/AboutBox.h"
#include "ui/editor/CanvasViewport.h"
#include "ui/editor/EditorBottomPanel.h"
#include "ui/editor/EditorHeader.h"
#include "ui/editor/EditorMenus.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/EditorWindowRegistration.h"
#include "ui/editor/EmptyStatePanel.h"
#include "ui/editor/ErrorAlert.h"
#include "ui/editor/RecognitionSheet.h"
#include "ui/editor/ToolOptionsStrip.h"

#include <QApplication>
#include <QMenuBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

EditorWindow::EditorWindow(AppState& state, EditorWindowPorts ports, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_ports(ports)
{
    setWindowTitle(QStringLiteral("Trovix"));
    setStyleSheet(EditorTheme::styleSheet(EditorTheme::colors(palette())));
    setMinimumSize(920, 620);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("editorCentral"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_header = new EditorHeader(m_state, central);
    column->addWidget(m_header);
    m_optionsStrip = new ToolOptionsStrip(m_state, central);
    column->addWidget(m_optionsStrip);
    column->addWidget(buildStage(), 1);
    m_bottomPanel = new EditorBottomPanel(m_state, central);
    column->addWidget(m_bottomPanel);
    setCentralWidget(central);

    m_menus = new EditorMenus(m_state, *menuBar(), this);
    m_recognitionSheet = new RecognitionSheet(m_state, m_ports.clipboard, this);
    m_errorAlert = new ErrorAlert(m_state, this);
    m_registration = new EditorWindowRegistration(m_state, m_ports.dialogs, m_ports.workspace, this);
    m_registration->registerWindow(*this);

    connectSignals();
    // The application the user started us from is the one to hand the focus back to.
    m_state.captureCurrentExternalApp();
    showStage();
    updateCanvasInteraction();
}

EditorWindow::~EditorWindow() = default;

QWidget* EditorWindow::buildStage()
{
    m_stage = new QStackedWidget(this);
    m_stage->setObjectName(QStringLiteral("canvasStage"));
    m_emptyState = new EmptyStatePanel(m_state, m_stage);
    m_stage->addWidget(m_emptyState);
    m_viewport = new CanvasViewport(m_state, m_stage);
    m_stage->addWidget(m_viewport);
    return m_stage;
}

void EditorWindow::connectSignals()
{
    connect(m_header, &EditorHeader::addCaptureRequested, this,
        [this] { Q_EMIT captureRequested(CaptureCommand::addToCanvas); });
    connect(m_emptyState, &EmptyStatePanel::captureRequested, this, &EditorWindow::captureRequested);
    connect(m_menus, &EditorMenus::captureRequested, this, &EditorWindow::captureRequested);
    connect(m_menus, &EditorMenus::settingsRequested, this, &EditorWindow::settingsRequested);
    connect(m_menus, &EditorMenus::aboutRequested, this, [this] { AboutBox::create(this)->open(); });
    connect(m_menus, &EditorMenus::enterFullScreenRequested, this, &EditorWindow::toggleFullScreen);
    connect(&m_state.baseImage, &ObservableNotifier::changed, this, &EditorWindow::showStage);
    connect(
        &m_state.isCaptureTransitionActive, &ObservableNotifier::changed, this, &EditorWindow::updateCanvasInteraction);
    connect(&m_state.isShowingOCRSheet, &ObservableNotifier::changed, this, &EditorWindow::updateCanvasInteraction);

    // One turn later, so that the application that took the focus is the one in front.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState applicationState) {
        if (applicationState == Qt::ApplicationInactive)
            QTimer::singleShot(0, this, [this] { m_state.captureCurrentExternalApp(); });
    });

    // A focused text field takes Ctrl+V for itself first, so typing text still pastes text.
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, [this] { m_state.loadFromClipboard(); });
}

bool EditorWindow::isShowingCanvas() const
{
    return m_stage->currentWidget() == m_viewport;
}

void EditorWindow::showStage()
{
    m_stage->setCurrentWidget(m_state.baseImage() ? static_cast<QWidget*>(m_viewport) : m_emptyState);
}

void EditorWindow::updateCanvasInteraction()
{
    m_viewport->setInteractionEnabled(!m_state.isCaptureTransitionActive() && !m_state.isShowingOCRSheet());
}

void EditorWindow::toggleFullScreen()
{
    // Remembered first, so that hiding the editor later hands the focus back to it.
    m_state.captureCurrentExternalApp();
    m_ports.workspace.setActivationPolicy(ActivationPolicy::regular);
    m_ports.workspace.activateIgnoringOtherApps();
    show();
    raise();
    activateWindow();
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}
