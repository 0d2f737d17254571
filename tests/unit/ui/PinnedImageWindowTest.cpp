#include "ui/PinnedImageView.h"
#include "ui/PinnedImageWindowController.h"

#include <gtest/gtest.h>

namespace {

Image solid(QSizeF points, double density = 1)
{
    QImage pixels((points * density).toSize(), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(QColor(30, 120, 200));
    return Image(pixels, points);
}

} // namespace

TEST(PinnedImageWindow, IsAsLargeAsTheImageButNeverBelowTheMinimum)
{
    EXPECT_EQ(PinnedImageWindowController::windowSize({ 50, 30 }), QSizeF(220, 120));
    EXPECT_EQ(PinnedImageWindowController::windowSize({ 1600, 1000 }), QSizeF(1600, 1000));
    EXPECT_EQ(PinnedImageWindowController::windowSize({ 100, 500 }), QSizeF(220, 500));
}

TEST(PinnedImageWindow, EachPinOpensAnotherFramelessWindowOnTop)
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
}

TEST(PinnedImageWindow, ImageIsFittedInsideThePaddingKeepingItsAspect)
{
    PinnedImageView view(solid({ 400, 100 }));
    view.resize(424, 424);
    const QRectF image = view.imageRect();
    EXPECT_DOUBLE_EQ(image.width(), 400);
    EXPECT_DOUBLE_EQ(image.height(), 100);
    EXPECT_DOUBLE_EQ(image.center().y(), 212);
    const QImage rendered = view.grab().toImage();
    EXPECT_EQ(rendered.pixelColor(212, 212), QColor(30, 120, 200));
}
