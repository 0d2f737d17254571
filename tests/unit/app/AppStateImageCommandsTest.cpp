#include "AppStateFixture.h"

#include <QPainter>

namespace {

// A picture whose every 10-point cell has its own colour, so crops can be told apart.
Image gridImage(QSize size, double density = 1)
{
    QImage pixels(int(size.width() * density), int(size.height() * density), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y, qRgb(int(x / density) / 10 * 7 % 256, int(y / density) / 10 * 11 % 256, 90));
    return Image(pixels, QSizeF(size));
}

} // namespace

TEST_F(AppStateTest, CropCutsTheSelectedRegionAndBakesInAnnotationsButNeedsASelectionOnThePicture)
{
    state.applyCropSelection();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("No crop area selected"));

    const Image source = gridImage({ 400, 300 });
    state.loadImageIntoEditor(source, QStringLiteral("x"), false);
    state.strokeColor.set(QColor(0, 255, 0));
    state.lineWidth.set(6);
    drag(AnnotationTool::line, { 0, 45 }, { 400, 45 }); // crosses the crop area 25 points below its top
    state.selectedTool.set(AnnotationTool::callout);
    state.handlePointTool({ 5, 5 });
    drag(AnnotationTool::crop, { 10, 20 }, { 110, 70 });
    state.zoomIn();

    state.applyCropSelection();
    ASSERT_TRUE(state.baseImage());
    const Image& cropped = *state.baseImage();
    EXPECT_EQ(cropped.size(), QSizeF(100, 50));
    EXPECT_EQ(cropped.pixels().pixel(3, 3), source.pixels().pixel(13, 23));
    EXPECT_EQ(cropped.pixels().pixel(50, 25), qRgb(0, 255, 0)) << "the line is now part of the pixels";
    EXPECT_TRUE(state.annotations().empty());
    EXPECT_FALSE(state.cropSelection());
    EXPECT_EQ(state.nextCalloutNumber(), 1);
    EXPECT_EQ(state.zoomBehavior(), ZoomBehavior::fit);
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Applied crop"));

    // A selection off the picture changes nothing.
    drag(AnnotationTool::rectangle, { 5, 5 }, { 50, 40 });
    state.cropSelection.set(QRectF(500, 500, 20, 20));
    const Image before = *state.baseImage();
    state.applyCropSelection();
    EXPECT_EQ(state.errorMessage(), QStringLiteral("Nie udało się przyciąć obrazu."));
    EXPECT_EQ(state.baseImage(), before);
    EXPECT_EQ(state.annotations().size(), 1u);
    EXPECT_TRUE(state.cropSelection());
}

TEST_F(AppStateTest, ResizeScalesTheBaseImageAndRefusesBadPercentagesAndHugeTargets)
{
    state.loadImageIntoEditor(gridImage({ 101, 33 }), QStringLiteral("x"), false);
    const Image before = *state.baseImage();
    for (const auto& [percent, error] : { std::pair { "50%", "Podaj poprawny procent zmiany rozmiaru." },
             std::pair { "1000000", "Nie udało się zmienić rozmiaru obrazu." } }) {
        state.resizePercent.set(QString::fromUtf8(percent));
        state.applyResize();
        EXPECT_EQ(state.errorMessage(), QString::fromUtf8(error));
        EXPECT_EQ(state.baseImage(), before);
    }

    drag(AnnotationTool::rectangle, { 5, 5 }, { 50, 20 });
    state.resizePercent.set(QStringLiteral("50"));
    state.applyResize();
    ASSERT_TRUE(state.baseImage());
    EXPECT_EQ(state.baseImage()->size(), QSizeF(51, 17));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Resized image to 51 \u00D7 17"));
    EXPECT_TRUE(state.annotations().empty());
    EXPECT_EQ(state.resizePercent(), QStringLiteral("100"));
}

TEST_F(AppStateTest, OpeningAFileRevealsTheEditorAndCancelChangesNothing)
{
    state.statusMessage.set(QStringLiteral("before"));
    state.openImage();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("before"));
    EXPECT_FALSE(state.baseImage());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(gridImage({ 64, 48 }).pixels().save(path));
    dialogs.imageFileToChoose = path;
    state.openImage();
    ASSERT_TRUE(state.baseImage());
    EXPECT_EQ(state.baseImage()->size(), QSizeF(64, 48));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Opened an existing image"));
    EXPECT_GE(workspace.activations, 2);
}
