#include "ui/pinned/PinnedImageView.h"
#include "ui/pinned/PinnedImageWindowController.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

Image solid(QSizeF points, double density = 1)
{
    QImage pixels((points * density).toSize(), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(QColor(30, 120, 200));
    return Image(pixels, points);
}

} // namespace

TEST(PinnedImageWindow, IsAsLargeAsTheImageButNeverBelowTheMinimumNorBeyondTheScreen)
{
    const QSizeF screen(1920, 1080);
    const struct {
        QSizeF image;
        QSizeF window;
    } cases[] = {
        { { 50, 30 }, { 220, 120 } },
        { { 1600, 1000 }, { 1600, 1000 } },
        { { 3840, 1000 }, { 1920, 500 } },
        // A long scrolling capture: shown whole and narrow, and the window never narrower than the minimum.
        { { 1400, 30000 }, { 220, 1080 } },
        { { 30000, 30000 }, { 1080, 1080 } },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testing::Message() << testCase.image.width() << "x" << testCase.image.height());
        EXPECT_EQ(PinnedImageWindowController::windowSize(testCase.image, screen), testCase.window);
    }
    EXPECT_EQ(PinnedImageWindowController::windowSize({ 50, 30 }, { 200, 100 }), QSizeF(200, 100))
        << "a screen smaller than the minimum wins";
}

TEST(PinnedImageWindow, EachPinOpensAnotherFramelessWindowOnTopAndOnTheScreen)
{
    PinnedImageWindowController controller;
    int decorated = 0;
    controller.setWindowDecorator([&](QWidget&) { ++decorated; });
    controller.pin(solid({ 50, 30 }));
    controller.pin(solid({ 300, 200 }, 2));
    ASSERT_EQ(controller.windows().size(), 2u);
    EXPECT_EQ(decorated, 2);
    for (const auto& window : controller.windows()) {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    }
    EXPECT_EQ(controller.windows()[0]->size(), QSize(220, 120));
    EXPECT_EQ(controller.windows()[1]->size(), QSize(300, 200)) << "sized in points, not pixels";
    EXPECT_EQ(controller.windows()[0]->pos(), controller.windows()[1]->pos() + QPoint(0, 80))
        << "both open 120 points from the bottom-left corner";

    // 1,400 x 30,000 points at 2x would be a 60,000-pixel-high window, beyond what X11 can hold.
    // (Few pixels stand for the points: only the point size decides the window's.)
    const Image tall = solid({ 1400, 30000 }, 0.02);
    controller.pin(tall);
    ASSERT_EQ(controller.windows().size(), 3u);
    QWidget& window = *controller.windows().back();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    EXPECT_LE(window.height() * screen->devicePixelRatio(), PinnedImageWindowController::largestWindowSide);
    EXPECT_TRUE(area.contains(window.geometry())) << "the whole window is on the screen";
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(30, 120, 200)) << "the picture is painted";
    const auto& view = static_cast<const PinnedImageView&>(window);
    EXPECT_EQ(view.image().pixels().cacheKey(), tall.pixels().cacheKey())
        << "the very pixels, neither copied nor scaled";
    EXPECT_NEAR(view.imageRect().height() / view.imageRect().width(), 30000.0 / 1400, 0.01);
}

TEST(PinnedImageWindow, ResizingALargeWindowCastsNoNewShadow)
{
    PinnedImageView view(solid({ 400, 400 }));
    view.resize(300, 300);
    (void)view.grab();
    const QSizeF bounded = view.shadow().castSize();
    for (const QSize size : { QSize(900, 700), QSize(1600, 1200), QSize(700, 1500) }) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        view.resize(size);
        (void)view.grab();
        EXPECT_EQ(view.shadow().castSize(), bounded) << "no buffer of the window's size per resize";
    }
}
