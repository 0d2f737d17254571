#pragma once

#include "domain/AnnotationTool.h"
#include "domain/HotkeyAction.h"
#include "ui/editor/CaptureCommand.h"

#include <QObject>

#include <vector>

class AppState;
class QAction;
class QMenu;
class QMenuBar;

// The editor's menus "Trovix", "Edit", "Draw" and "Zoom". Items that need an image are disabled
// while there is none, the Draw items follow the selected tool, and capture items show
// the user's current global shortcut.
class EditorMenus : public QObject {
    Q_OBJECT
public:
    EditorMenus(AppState& state, QMenuBar& menuBar, QObject* parent = nullptr);

    // The item with this title in any of the menus, or null.
    [[nodiscard]] QAction* action(const QString& title) const;
    // Their titles name the step they take ("Undo Add Arrow").
    [[nodiscard]] QAction* undoAction() const { return m_undo; }
    [[nodiscard]] QAction* redoAction() const { return m_redo; }

Q_SIGNALS:
    void captureRequested(CaptureCommand command);
    void settingsRequested();
    void aboutRequested();
    void enterFullScreenRequested();

private:
    struct ShortcutItem {
        QAction* action;
        HotkeyAction hotkey;
    };

    void buildTrovixMenu(QMenuBar& menuBar);
    void buildEditMenu(QMenuBar& menuBar);
    void buildDrawMenu(QMenuBar& menuBar);
    void buildZoomMenu(QMenuBar& menuBar);
    QAction* addItem(QMenu* menu, const QString& title, bool needsImage);
    QAction* addCaptureItem(QMenu* menu, const QString& title, CaptureCommand command);
    void connectState();
    void showImagePresence();
    void showSelectedTool();
    void showShortcuts();
    void showHistory();

    AppState& m_state;
    std::vector<QMenu*> m_menus;
    std::vector<QAction*> m_imageItems;
    std::vector<std::pair<QAction*, AnnotationTool>> m_toolItems;
    std::vector<ShortcutItem> m_shortcutItems;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};
