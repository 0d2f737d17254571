#include "engine/DesktopPicture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Two outputs as a portal pictures them at scale 2: a 100 x 50 output at scale 1 and a
// 60 x 40 output at scale 2 to its right, so the picture is 320 x 100 pixels.
const QList<DesktopOutput> outputs { { QStringLiteral("A"), QRect(0, 0, 100, 50), 1.0 },
    { QStringLiteral("B"), QRect(100, 0, 60, 40), 2.0 } };

QImage desktopPicture()
{
    QImage picture(320, 100, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y, (x * 7 + y * 13) % 256));
    }
    return picture;
}

} // namespace

TEST(DesktopPicture, cutsEachOutputAtItsOwnScaleAndRefusesPicturesThatDoNotFitTheLayout)
{
    const QImage picture = desktopPicture();
    ASSERT_DOUBLE_EQ(DesktopPicture::density(picture, outputs), 2.0);

    // A scale-1 output shrinks to its logical size: a uniform area keeps its colour.
    QImage flat(320, 100, QImage::Format_RGB32);
    flat.fill(qRgb(10, 200, 30));
    const QImage first = DesktopPicture::cut(flat, outputs, outputs.at(0).logical, 1.0);
    EXPECT_EQ(first.size(), QSize(100, 50));
    EXPECT_EQ(first.pixel(37, 21), qRgb(10, 200, 30));

    // A rectangle reaching past the desktop is cut to it.
    EXPECT_EQ(DesktopPicture::cut(picture, outputs, QRect(150, 30, 40, 40), 2.0), picture.copy(300, 60, 20, 40));

    // Pictures that do not fit the layout are refused.
    for (const auto& [what, shape, logical] :
        { std::tuple { "picture of another shape", QImage(320, 160, QImage::Format_RGB32), QRect(0, 0, 10, 10) },
            std::tuple { "no picture", QImage(), QRect(0, 0, 10, 10) },
            std::tuple { "rectangle off the desktop", picture, QRect(200, 0, 10, 10) } }) {
        SCOPED_TRACE(what);
        EXPECT_TRUE(DesktopPicture::cut(shape, outputs, logical, 2.0).isNull());
    }
}
