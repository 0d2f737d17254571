#include "EditorFixture.h"

#include "domain/ApplicationIdentity.h"
#include "domain/HotkeyKeys.h"
#include "ui/editor/EditorMenus.h"
#include "ui/shared/MenuShortcut.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>

class EditorMenusTest : public EditorTest {
protected:
    QAction* item(const char* title) const
    {
        QAction* found = window->menus()->action(QString::fromUtf8(title));
        EXPECT_NE(found, nullptr) << title;
        return found;
    }
};

TEST_F(EditorMenusTest, ItemsThatNeedAnImageFollowTheDocument)
{
    // Without an image only the capture items, Settings, About and full screen work.
    QStringList enabledWithoutImage;
    QList<QAction*> items;
    for (const QAction* menu : window->menuBar()->actions())
        items += menu->menu()->actions();
    for (const QAction* action : items) {
        if (!action->isSeparator() && action->isEnabled())
            enabledWithoutImage.append(MenuShortcut::title(*action));
    }
    EXPECT_EQ(enabledWithoutImage,
        QStringList({ "Area Capture", "Full Screen Capture", "Add Capture to Canvas", "Delayed Screenshot (3s)",
            "Capture Any Window", "Settings", "About Trovix", "Add Capture", "Enter Full Screen" }));

    // With one, a draw item selects and ticks its tool and a zoom item runs its command.
    loadImage();
    item("Crop")->trigger();
    EXPECT_EQ(state.selectedTool(), AnnotationTool::crop);
    EXPECT_TRUE(item("Crop")->isChecked());
    item("Zoom To 100%")->trigger();
    EXPECT_EQ(state.zoomBehavior(), ZoomBehavior::actualSize);
}

TEST_F(EditorMenusTest, UndoAndRedoNameTheirStepAndAnswerTheirKeys)
{
    QAction* undo = window->menus()->undoAction();
    QAction* redo = window->menus()->redoAction();
    loadImage();
    state.selectedTool.set(AnnotationTool::rectangle);
    state.addDragAnnotation({ 10, 10 }, { 100, 80 }, {});
    EXPECT_EQ(undo->text(), QStringLiteral("Undo Add Rectangle"));
    EXPECT_FALSE(redo->isEnabled());

    showActive();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(state.annotations().empty());
    QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(state.annotations().size(), 1u);
    undo->trigger();
    EXPECT_TRUE(state.annotations().empty());
    // The toolbar's Undo goes back one step as well.
    QTest::mouseClick(child<QAbstractButton>(QStringLiteral("undoButton")), Qt::LeftButton);
    EXPECT_FALSE(state.baseImage().has_value());
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(EditorMenusTest, CaptureSettingsAndAboutItemsDoTheirWork)
{
    QSignalSpy requests(window.get(), &EditorWindow::captureRequested);
    const std::pair<const char*, CaptureCommand> cases[] = {
        { "Area Capture", CaptureCommand::area },
        { "Full Screen Capture", CaptureCommand::fullScreen },
        { "Add Capture to Canvas", CaptureCommand::addToCanvas },
        { "Delayed Screenshot (3s)", CaptureCommand::delayed },
        { "Capture Any Window", CaptureCommand::anyWindow },
        { "Add Capture", CaptureCommand::addToCanvas },
    };
    for (const auto& [title, command] : cases) {
        item(title)->trigger();
        ASSERT_FALSE(requests.isEmpty()) << title;
        EXPECT_EQ(requests.takeLast().at(0).value<CaptureCommand>(), command) << title;
    }
    QSignalSpy settingsRequests(window.get(), &EditorWindow::settingsRequested);
    item("Settings")->trigger();
    EXPECT_EQ(settingsRequests.size(), 1);

    // About shows the version without blocking the application.
    item("About Trovix")->trigger();
    QMessageBox* box = nullptr;
    for (QMessageBox* shown : window->findChildren<QMessageBox*>())
        box = shown->windowTitle() == QStringLiteral("About Trovix") ? shown : box;
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(box->isModal() && box->windowModality() == Qt::ApplicationModal) << "the tray keeps working";
    EXPECT_TRUE(box->text().contains(QStringLiteral("Trovix ") + ApplicationIdentity::version()));
}

// Return has a key code but no menu character, so no menu may take it.
TEST(MenuShortcutTest, OnlyKeysWithAMenuCharacterBecomeMenuShortcuts)
{
    EXPECT_TRUE(MenuShortcut::keySequence(HotkeyShortcut { 36, HotkeyKeys::controlModifier }).isEmpty());
    EXPECT_EQ(MenuShortcut::keySequence(HotkeyShortcut { 0, HotkeyKeys::controlModifier }),
        QKeySequence(Qt::CTRL | Qt::Key_A));
}
