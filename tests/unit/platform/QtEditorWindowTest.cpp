#include "platform/qt/QtEditorWindow.h"
#include "platform/qt/QtApplicationWindows.h"
#include "platform/qt/ScreenSpace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

TEST(QtEditorWindowTest, ScreenSpaceMirrorsAboutThePrimaryScreenAndTheFrameIsZeroUntilPlacedThenRoundTrips)
{
    struct Case {
        QRect primary;
        QRectF qtRect;
        QRectF screenRect;
    };
    const Case cases[] = {
        // A window at the top-left of a 1600 x 1000 screen has its bottom 200 points below the top.
        { { 0, 0, 1600, 1000 }, { 0, 0, 300, 200 }, { 0, 800, 300, 200 } },
        { { 0, 0, 1600, 1000 }, { 100, 700, 300, 300 }, { 100, 0, 300, 300 } },
        // A second screen above the primary one has negative Qt y and lies above it (y up > height).
        { { 0, 0, 1600, 1000 }, { 0, -900, 1440, 900 }, { 0, 1000, 1440, 900 } },
        // The primary screen need not start at the origin of the virtual desktop.
        { { 1920, 120, 1600, 1000 }, { 2000, 220, 400, 300 }, { 2000, 600, 400, 300 } },
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.qtRect.y());
        EXPECT_EQ(ScreenSpace::fromQtGeometry(entry.qtRect, entry.primary), entry.screenRect);
        EXPECT_EQ(ScreenSpace::toQtGeometry(entry.screenRect, entry.primary), entry.qtRect);
    }

    // The editor window has no frame until placed, then keeps the one it was given.
    QWidget widget;
    QtEditorWindow port(widget);
    EXPECT_EQ(port.frame(), QRectF());

    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const QRectF wanted(100, 150, 640, 480);
    port.setFrame(wanted);
    EXPECT_EQ(port.frame(), wanted);
    EXPECT_EQ(port.contentSize(), QSizeF(640, 480) - (port.frameSizeForContentSize({}) - QSizeF()));
    // In Qt's own space the window's top edge is the screen's height minus the frame's top.
    EXPECT_EQ(widget.frameGeometry().top(), primary.top() + primary.height() - 150 - 480);
}

TEST(QtApplicationWindowsTest, AnyWindowServesAsTheEditorAndIsKnownByItsId)
{
    QtApplicationWindows windows;
    auto widget = std::make_unique<QWidget>();
    widget->setWindowTitle(QStringLiteral("Trovix"));
    const QList<ApplicationWindow> all = windows.windows();
    const auto listed = std::find_if(
        all.cbegin(), all.cend(), [](const ApplicationWindow& window) { return window.title == "Trovix"; });
    ASSERT_NE(listed, all.cend());
    const std::uintptr_t id = listed->id;
    QtEditorWindow registered(*widget);
    EXPECT_EQ(windows.idOf(registered), id);

    EditorWindowPort* fallback = windows.editorWindowFor(id);
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(windows.editorWindowFor(id), fallback) << "one view per window";
    EXPECT_EQ(windows.idOf(*fallback), id);
    fallback->makeKeyAndOrderFront();
    EXPECT_TRUE(widget->isVisible());

    widget.reset();
    EXPECT_EQ(windows.editorWindowFor(id), nullptr);
    EXPECT_EQ(windows.idOf(registered), std::nullopt);
}
