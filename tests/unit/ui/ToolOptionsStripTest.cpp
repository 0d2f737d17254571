#include "EditorFixture.h"

#include "ui/editor/ToolOptionsStrip.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

// Typing for text, applying for crop, a width for stroked shapes, and none of them elsewhere.
TEST_F(EditorTest, OptionsStripShowsEachToolsControls)
{
    for (const AnnotationTool tool :
        { AnnotationTool::select, AnnotationTool::arrow, AnnotationTool::text, AnnotationTool::crop }) {
        SCOPED_TRACE(AnnotationTools::rawValue(tool).toStdString());
        state.selectedTool.set(tool);
        EXPECT_EQ(isShown(QStringLiteral("textInputPill")), tool == AnnotationTool::text);
        EXPECT_EQ(isShown(QStringLiteral("widthPill")), tool == AnnotationTool::arrow);
        EXPECT_EQ(isShown(QStringLiteral("applyCropButton")), tool == AnnotationTool::crop);
    }
}

TEST_F(EditorTest, StripControlsWriteToTheStateAndFollowIt)
{
    auto* width = child(QStringLiteral("widthPill"))->findChild<QSlider*>();
    auto* size = child(QStringLiteral("sizePill"))->findChild<QSlider*>();
    ASSERT_TRUE(width && size);

    width->setValue(9);
    EXPECT_EQ(state.lineWidth(), 9.0);

    // A change made elsewhere moves the slider.
    state.textSize.set(33.6);
    EXPECT_EQ(size->value(), 34);

    loadImage({ 400, 300 });
    auto* background = child<QAbstractButton>(QStringLiteral("backgroundSwitch"));
    QTest::mouseClick(background, Qt::LeftButton);
    EXPECT_TRUE(state.backdropEnabled());
    state.backdropEnabled.set(false);
    EXPECT_FALSE(background->isChecked());

    state.selectedTool.set(AnnotationTool::crop);
    state.addDragAnnotation({ 50, 40 }, { 250, 140 }, {});
    QTest::mouseClick(child<QPushButton>(QStringLiteral("applyCropButton")), Qt::LeftButton);
    ASSERT_TRUE(state.baseImage());
    EXPECT_EQ(state.baseImage()->size(), QSizeF(200, 100));

    // The text field and the state's draft follow each other.
    state.selectedTool.set(AnnotationTool::text);
    QLineEdit* field = window->optionsStrip()->textField();
    EXPECT_EQ(field->text(), state.textDraft());
    field->clear();
    QTest::keyClicks(field, QStringLiteral("Hello"));
    EXPECT_EQ(state.textDraft(), QStringLiteral("Hello"));
    state.textDraft.set(QStringLiteral("From elsewhere"));
    EXPECT_EQ(field->text(), QStringLiteral("From elsewhere"));
}
