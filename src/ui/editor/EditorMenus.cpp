#include "ui/editor/EditorMenus.h"

#include "app/AppSettings.h"
#include "app/AppState.h"
#include "ui/editor/EditorHeader.h"
#include "ui/shared/MenuShortcut.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

EditorMenus::EditorMenus(AppState& state, QMenuBar& menuBar, QObject* parent)
    : QObject(parent)
    , m_state(state)
{
    buildTrovixMenu(menuBar);
    buildEditMenu(menuBar);
    buildDrawMenu(menuBar);
    buildZoomMenu(menuBar);
    connectState();
    showImagePresence();
    showSelectedTool();
    showShortcuts();
    showHistory();
}

QAction* EditorMenus::action(const QString& title) const
{
    for (QMenu* menu : m_menus) {
        for (QAction* item : menu->actions()) {
            if (MenuShortcut::title(*item) == title)
                return item;
        }
    }
    return nullptr;
}

QAction* EditorMenus::addItem(QMenu* menu, const QString& title, bool needsImage)
{
    QAction* item = menu->addAction(title);
    if (needsImage)
        m_imageItems.push_back(item);
    return item;
}

QAction* EditorMenus::addCaptureItem(QMenu* menu, const QString& title, CaptureCommand command)
{
    QAction* item = addItem(menu, title, false);
    connect(item, &QAction::triggered, this, [this, command] { Q_EMIT captureRequested(command); });
    return item;
}

void EditorMenus::buildTrovixMenu(QMenuBar& menuBar)
{
    QMenu* menu = menuBar.addMenu(QStringLiteral("Trovix"));
    m_menus.push_back(menu);
    m_shortcutItems.push_back(
        { addCaptureItem(menu, QStringLiteral("Area Capture"), CaptureCommand::area), HotkeyAction::captureArea });
    m_shortcutItems.push_back({ addCaptureItem(menu, QStringLiteral("Full Screen Capture"), CaptureCommand::fullScreen),
        HotkeyAction::captureScreen });
    m_shortcutItems.push_back(
        { addCaptureItem(menu, QStringLiteral("Add Capture to Canvas"), CaptureCommand::addToCanvas),
            HotkeyAction::addCapture });
    addCaptureItem(menu, QStringLiteral("Delayed Screenshot (3s)"), CaptureCommand::delayed);
    addCaptureItem(menu, QStringLiteral("Capture Any Window"), CaptureCommand::anyWindow);
    menu->addSeparator();
    connect(addItem(menu, QStringLiteral("Copy Image"), true), &QAction::triggered, this,
        [this] { m_state.copyCurrentImage(); });
    connect(addItem(menu, QStringLiteral("Save Image"), true), &QAction::triggered, this,
        [this] { m_state.exportImage(); });
    // The workflows are coroutines that report through the state; nothing waits for them.
    connect(addItem(menu, QStringLiteral("Upload Image"), true), &QAction::triggered, this,
        [this] { m_state.uploadCurrentImage(); });
    connect(addItem(menu, QStringLiteral("Pin Current Image"), true), &QAction::triggered, this,
        [this] { m_state.pinCurrentImage(); });
    QAction* recognize = addItem(menu, QStringLiteral("Recognize Text and QR"), true);
    connect(recognize, &QAction::triggered, this, [this] { m_state.recognizeText(); });
    m_shortcutItems.push_back({ recognize, HotkeyAction::recognizeText });
    menu->addSeparator();
    QAction* settings = addItem(menu, QStringLiteral("Settings"), false);
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, &EditorMenus::settingsRequested);
    QAction* about = addItem(menu, QStringLiteral("About Trovix"), false);
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &EditorMenus::aboutRequested);
}

void EditorMenus::buildEditMenu(QMenuBar& menuBar)
{
    QMenu* menu = menuBar.addMenu(QStringLiteral("Edit"));
    m_menus.push_back(menu);
    m_undo = addItem(menu, QStringLiteral("Undo"), false);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, this, [this] { m_state.undo(); });
    m_redo = addItem(menu, QStringLiteral("Redo"), false);
    m_redo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });
    connect(m_redo, &QAction::triggered, this, [this] { m_state.redo(); });
}

void EditorMenus::buildDrawMenu(QMenuBar& menuBar)
{
    QMenu* menu = menuBar.addMenu(QStringLiteral("Draw"));
    m_menus.push_back(menu);
    auto* group = new QActionGroup(menu);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    // The header's tools in its order; selecting and picking a colour draw nothing.
    for (AnnotationTool tool : EditorHeader::visibleTools) {
        if (tool == AnnotationTool::select || tool == AnnotationTool::colorPicker)
            continue;
        QAction* item = addItem(menu, AnnotationTools::title(tool), true);
        item->setCheckable(true);
        group->addAction(item);
        m_toolItems.emplace_back(item, tool);
        connect(item, &QAction::triggered, this, [this, tool] {
            m_state.selectedTool.set(tool);
            m_state.statusMessage.set(AnnotationTools::placementHint(tool));
        });
    }
    menu->addSeparator();
    addCaptureItem(menu, QStringLiteral("Add Capture"), CaptureCommand::addToCanvas);
}

void EditorMenus::buildZoomMenu(QMenuBar& menuBar)
{
    QMenu* menu = menuBar.addMenu(QStringLiteral("Zoom"));
    m_menus.push_back(menu);
    connect(addItem(menu, QStringLiteral("Zoom In"), true), &QAction::triggered, this, [this] { m_state.zoomIn(); });
    connect(addItem(menu, QStringLiteral("Zoom Out"), true), &QAction::triggered, this, [this] { m_state.zoomOut(); });
    menu->addSeparator();
    connect(addItem(menu, QStringLiteral("Zoom To Fit"), true), &QAction::triggered, this, [this] {
        m_state.zoomBehavior.set(ZoomBehavior::fit);
        m_state.statusMessage.set(QStringLiteral("Fit image to window"));
    });
    connect(addItem(menu, QStringLiteral("Zoom To 100%"), true), &QAction::triggered, this,
        [this] { m_state.zoomToActualSize(); });
    menu->addSeparator();
    connect(addItem(menu, QStringLiteral("Enter Full Screen"), false), &QAction::triggered, this,
        &EditorMenus::enterFullScreenRequested);
}

void EditorMenus::connectState()
{
    connect(&m_state.baseImage, &ObservableNotifier::changed, this, &EditorMenus::showImagePresence);
    connect(&m_state.selectedTool, &ObservableNotifier::changed, this, &EditorMenus::showSelectedTool);
    connect(&m_state.undoStepName, &ObservableNotifier::changed, this, &EditorMenus::showHistory);
    connect(&m_state.redoStepName, &ObservableNotifier::changed, this, &EditorMenus::showHistory);
    for (HotkeyAction action : HotkeyActions::allCases)
        connect(&m_state.settings.hotkeyField(action), &ObservableNotifier::changed, this, &EditorMenus::showShortcuts);
}

void EditorMenus::showImagePresence()
{
    const bool hasImage = m_state.baseImage().has_value();
    for (QAction* item : m_imageItems)
        item->setEnabled(hasImage);
}

void EditorMenus::showSelectedTool()
{
    for (const auto& [item, tool] : m_toolItems)
        item->setChecked(tool == m_state.selectedTool());
}

void EditorMenus::showShortcuts()
{
    for (const ShortcutItem& item : m_shortcutItems)
        MenuShortcut::show(
            *item.action, MenuShortcut::title(*item.action), m_state.settings.globalShortcut(item.hotkey));
}

void EditorMenus::showHistory()
{
    const auto show = [](QAction* item, const QString& verb, const std::optional<QString>& step) {
        item->setText(step ? verb + QLatin1Char(' ') + *step : verb);
        item->setEnabled(step.has_value());
    };
    show(m_undo, QStringLiteral("Undo"), m_state.undoStepName());
    show(m_redo, QStringLiteral("Redo"), m_state.redoStepName());
}
