#include "EditorFixture.h"

#include "ui/editor/ToolOptionsStrip.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

struct StripCase {
    AnnotationTool tool;
    bool shiftHint;
    bool color;
    bool width;
    bool size;
};

// One tool for each branch of the rules: either hint or none, with or without colour, width or size.
const StripCase s_cases[] = {
    { AnnotationTool::select, false, true, false, false },
    { AnnotationTool::arrow, true, true, true, false },
    { AnnotationTool::text, false, true, false, true },
    { AnnotationTool::freehand, false, true, true, false },
    { AnnotationTool::pixelate, true, false, false, false },
    { AnnotationTool::callout, false, true, false, true },
    { AnnotationTool::crop, true, true, false, false },
};

} // namespace

TEST_F(EditorTest, OptionsStripShowsEachToolsControls)
{
    for (const StripCase& entry : s_cases) {
        SCOPED_TRACE(AnnotationTools::rawValue(entry.tool).toStdString());
        state.selectedTool.set(entry.tool);
        const bool isText = entry.tool == AnnotationTool::text;
        EXPECT_EQ(isShown(QStringLiteral("textInputPill")), isText);
        EXPECT_EQ(isShown(QStringLiteral("hintPill")), !isText);
        EXPECT_EQ(isShown(QStringLiteral("shiftHintPill")), entry.shiftHint);
        EXPECT_EQ(isShown(QStringLiteral("colorPill")), entry.color);
        EXPECT_EQ(isShown(QStringLiteral("widthPill")), entry.width);
        EXPECT_EQ(isShown(QStringLiteral("sizePill")), entry.size);
        EXPECT_EQ(isShown(QStringLiteral("applyCropButton")), entry.tool == AnnotationTool::crop);
    }
}

TEST_F(EditorTest, StripControlsWriteToTheStateAndFollowIt)
{
    auto* width = child(QStringLiteral("widthPill"))->findChild<QSlider*>();
    auto* size = child(QStringLiteral("sizePill"))->findChild<QSlider*>();
    ASSERT_TRUE(width && size);
    EXPECT_EQ(width->minimum(), 1);
    EXPECT_EQ(width->maximum(), 12);
    EXPECT_EQ(size->minimum(), 14);
    EXPECT_EQ(size->maximum(), 56);

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
