#include "EditorFixture.h"

#include "ui/editor/EditorMenus.h"
#include "ui/editor/RecognitionSheet.h"
#include "ui/editor/ToolOptionsStrip.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

class EditorRegistrationTest : public EditorTest {
protected:
    void SetUp() override
    {
        workspace.frontmost
            = RunningApplication { 42, QStringLiteral("org.example.Browser"), QStringLiteral("Browser") };
        state.setLastExternalApp(workspace.frontmost);
        settings.copyImageWhenEsc.set(false);
        showActive();
        state.statusMessage.set(QStringLiteral("Before"));
    }
};

TEST_F(EditorRegistrationTest, EscapeAndOnlyEscapeRunsTheEditorsEscapeAction)
{
    QTest::keyClick(window.get(), Qt::Key_Q);
    QTest::keyClick(window.get(), Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Before"));

    // Escape itself hides the editor, even from a focused text field.
    state.selectedTool.set(AnnotationTool::text);
    window->optionsStrip()->textField()->setFocus();
    QTest::keyClick(window->optionsStrip()->textField(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditorRegistrationTest, EscapeIsIgnoredWhileSomethingElseHoldsTheUser)
{
    struct Case {
        const char* name;
        std::function<void()> begin;
        std::function<void()> end;
    };
    QWidget otherWindow;
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    const Case cases[] = {
        { "recognition sheet", [&] { state.isShowingOCRSheet.set(true); },
            [&] {
                // The sheet takes the key itself, closes and tells the state.
                QTest::keyClick(window->recognitionSheet(), Qt::Key_Escape);
                EXPECT_FALSE(window->recognitionSheet()->isVisible());
                EXPECT_FALSE(state.isShowingOCRSheet());
            } },
        { "open menu", [&] { menu.popup(window->mapToGlobal(QPoint(10, 10))); }, [&] { menu.hide(); } },
        { "capture transition", [&] { state.isCaptureTransitionActive.set(true); },
            [&] { state.isCaptureTransitionActive.set(false); } },
        { "modal file panel", [&] { dialogs.showingModal = true; }, [&] { dialogs.showingModal = false; } },
        { "error alert", [&] { state.errorMessage.set(QStringLiteral("Oops")); },
            [&] { state.errorMessage.set(std::nullopt); } },
        { "another window is active",
            [&] {
                otherWindow.show();
                QApplication::setActiveWindow(&otherWindow);
            },
            [&] {
                otherWindow.hide();
                QApplication::setActiveWindow(window.get());
            } },
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        entry.begin();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(state.statusMessage(), QStringLiteral("Before"));
        entry.end();
    }
    // Nothing is left blocking: the same key now hides the editor.
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditorRegistrationTest, ClosingHidesToTheTrayAndBecomingActiveRestoresTheRegularPresence)
{
    loadImage();
    const auto policiesBefore = workspace.policies.size();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Trovix is still running in the tray"));
    EXPECT_TRUE(state.baseImage().has_value());
    // The focus goes back to where the user came from, and the presence is re-decided.
    ASSERT_FALSE(workspace.activatedOthers.empty());
    EXPECT_EQ(workspace.activatedOthers.back().processId, 42);
    ASSERT_GT(workspace.policies.size(), policiesBefore);
    EXPECT_EQ(workspace.policies.back(), ActivationPolicy::accessory);

    workspace.policies.clear();
    showActive();
    ASSERT_FALSE(workspace.policies.empty());
    EXPECT_EQ(workspace.policies.back(), ActivationPolicy::regular);

    // Enter Full Screen brings the editor forward as well, and toggles.
    workspace.policies.clear();
    const int activations = workspace.activations;
    window->menus()->action(QStringLiteral("Enter Full Screen"))->trigger();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_EQ(workspace.activations, activations + 1);
    ASSERT_FALSE(workspace.policies.empty());
    EXPECT_EQ(workspace.policies.front(), ActivationPolicy::regular);
    window->menus()->action(QStringLiteral("Enter Full Screen"))->trigger();
    EXPECT_FALSE(window->isFullScreen());

    // The window is the state's editor window until it is destroyed.
    ASSERT_NE(state.editorWindow(), nullptr);
    window.reset();
    EXPECT_EQ(state.editorWindow(), nullptr);
}
