#pragma once

#include "CanvasTestSupport.h"
#include "ui/editor/EditorWindow.h"

#include "fakes/AppStateWithFakes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The application state with fake ports, and the editor window on top of it.
class EditorTest : public testing::Test, protected AppStateWithFakes {
protected:
    EditorTest()
        : window(std::make_unique<EditorWindow>(state, EditorWindowPorts { clipboard, dialogs, workspace }))
    { }

    void loadImage(QSize pixels = { 400, 300 })
    {
        state.loadImageIntoEditor(solidTestImage(pixels), QStringLiteral("Loaded"), false);
    }

    // Shows the window and makes it the application's active window, as a click on it would.
    void showActive()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The named child of the window, failing the test when it does not exist.
    template <typename Widget = QWidget> Widget* child(const QString& objectName) const
    {
        auto* found = window->findChild<Widget*>(objectName);
        EXPECT_NE(found, nullptr) << objectName.toStdString();
        return found;
    }

    // Shown as far as the window goes: the widget and all its parents up to the window.
    bool isShown(const QString& objectName) const
    {
        const QWidget* widget = child(objectName);
        return widget && widget->isVisibleTo(window.get());
    }

    std::unique_ptr<EditorWindow> window;
};
