#include "AppStateFixture.h"

TEST_F(AppStateTest, DragThresholdsAreStrict)
{
    const struct {
        AnnotationTool tool;
        QPointF from, to;
        bool creates;
        const char* status;
    } cases[] = {
        { AnnotationTool::rectangle, { 0, 0 }, { 2, 10 }, false, nullptr },
        { AnnotationTool::rectangle, { 0, 0 }, { 2.5, 3 }, true, "Added rectangle annotation" },
        { AnnotationTool::arrow, { 0, 0 }, { 4, 0 }, false, nullptr },
        { AnnotationTool::arrow, { 0, 0 }, { 3, 3 }, true, "Added arrow annotation" },
        { AnnotationTool::line, { 0, 0 }, { 0, 4.01 }, true, "Added line annotation" },
        { AnnotationTool::pixelate, { 0, 0 }, { 6, 50 }, false, nullptr },
        { AnnotationTool::pixelate, { 0, 0 }, { 7, 7 }, true, "Added pixelate annotation" },
        { AnnotationTool::magnifier, { 0, 0 }, { 24, 100 }, false, nullptr },
        { AnnotationTool::magnifier, { 0, 0 }, { 25, 25 }, true, "Added magnifier annotation" },
        { AnnotationTool::ruler, { 0, 0 }, { 6, 0 }, false, nullptr },
        { AnnotationTool::ruler, { 10, 10 }, { 9.5, 60.9 }, true, "Added ruler annotation" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(AnnotationTools::rawValue(c.tool).toStdString() + " to " + std::to_string(c.to.x()));
        state.statusMessage.set(QStringLiteral("before"));
        const auto countBefore = state.annotations().size();
        drag(c.tool, c.from, c.to);
        EXPECT_EQ(state.annotations().size(), countBefore + (c.creates ? 1 : 0));
        EXPECT_EQ(state.statusMessage(), c.creates ? QString::fromLatin1(c.status) : QStringLiteral("before"));
    }
}

TEST_F(AppStateTest, DraggedShapesCarryTheStyleOfTheirMomentFreehandNeedsTwoPointsAndCropSelects)
{
    state.strokeColor.set(Qt::blue);
    state.lineWidth.set(7);
    state.textSize.set(40);
    drag(AnnotationTool::ruler, { 10, 10 }, { 9.5, 60.9 });
    state.lineWidth.set(1);
    ASSERT_EQ(state.annotations().size(), 1u);
    EXPECT_EQ(state.annotations()[0].style, (AnnotationStyle { QColor(Qt::blue), 7, 40 }));
    EXPECT_EQ(std::get<AnnotationKinds::Measurement>(state.annotations()[0].kind).label, QStringLiteral("0 \u00D7 50"));

    drag(AnnotationTool::freehand, { 1, 1 }, { 1, 1 }, { { 1, 1 } });
    EXPECT_EQ(state.annotations().size(), 1u);
    const std::vector<QPointF> stroke { { 1, 1 }, { 2, 3 }, { 1, 1 } };
    drag(AnnotationTool::highlight, { 1, 1 }, { 1, 1 }, stroke);
    ASSERT_EQ(state.annotations().size(), 2u);
    EXPECT_EQ(state.annotations()[1].kind, AnnotationShape::Kind(AnnotationKinds::Highlight { stroke }));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Added highlighter annotation"));

    // A crop drag selects an area instead of annotating.
    drag(AnnotationTool::crop, { 40, 30 }, { 10, 5 });
    EXPECT_EQ(state.annotations().size(), 2u);
    EXPECT_EQ(state.cropSelection(), QRectF(10, 5, 30, 25));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Crop area selected"));

    drag(AnnotationTool::crop, { 0, 0 }, { 6, 100 });
    EXPECT_EQ(state.cropSelection(), QRectF(10, 5, 30, 25)) << "a too-narrow crop keeps the earlier selection";
}

TEST_F(AppStateTest, CalloutsNumberOnAndTextIsTrimmedAndRefusedWhenBlank)
{
    state.selectedTool.set(AnnotationTool::callout);
    for (int i = 0; i < 3; ++i)
        state.handlePointTool({ 10.0 * i, 0 });
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Added callout 3"));
    state.removeLastAnnotation();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Removed last annotation"));
    state.handlePointTool({ 0, 0 });
    EXPECT_EQ(std::get<AnnotationKinds::Callout>(state.annotations().back().kind).number, 3);

    drag(AnnotationTool::rectangle, { 0, 0 }, { 10, 10 });
    state.removeLastAnnotation(); // a rectangle: the counter stays
    EXPECT_EQ(state.nextCalloutNumber(), 4);

    state.annotations.set({});
    state.statusMessage.set(QStringLiteral("kept"));
    state.removeLastAnnotation();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("kept")) << "removing from an empty list says nothing";

    state.selectedTool.set(AnnotationTool::text);
    state.textDraft.set(QStringLiteral(" \n\t \r\n"));
    state.handlePointTool({ 5, 5 });
    EXPECT_TRUE(state.annotations().empty());
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Text tool needs content"));

    state.textDraft.set(QStringLiteral(" Hello world\n"));
    state.handlePointTool({ 5, 6 });
    state.handlePointTool({ 7, 8 });
    ASSERT_EQ(state.annotations().size(), 2u);
    EXPECT_EQ(state.annotations()[0].kind,
        AnnotationShape::Kind(AnnotationKinds::Text { QPointF(5, 6), QStringLiteral("Hello world") }));
    EXPECT_EQ(state.textDraft(), QStringLiteral(" Hello world\n")) << "the draft stays for the next click";
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Added text annotation"));

    state.selectedTool.set(AnnotationTool::rectangle);
    state.addTextAnnotation({ 1, 1 });
    EXPECT_EQ(state.annotations().size(), 2u) << "only the text tool places text";
}

TEST_F(AppStateTest, ColourPickerSamplesTheBaseImageAndCopiesTheHex)
{
    state.selectedTool.set(AnnotationTool::colorPicker);
    state.handlePointTool({ 1, 1 });
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Could not sample color"));
    EXPECT_EQ(state.strokeColorHex(), QStringLiteral("#FF3B30"));
    EXPECT_TRUE(clipboard.texts.isEmpty());

    state.loadImageIntoEditor(solidImage({ 20, 20 }, QColor(0x12, 0xAB, 0xEF)), QStringLiteral("Loaded"), false);
    // Annotations never influence the sample.
    drag(AnnotationTool::rectangle, { 0, 0 }, { 19, 19 });
    state.selectedTool.set(AnnotationTool::colorPicker);
    state.handlePointTool({ 3, 3 });
    EXPECT_EQ(state.lastPickedColorHex(), QStringLiteral("#12ABEF"));
    EXPECT_EQ(state.strokeColorHex(), QStringLiteral("#12ABEF"));
    EXPECT_EQ(clipboard.texts, QStringList { QStringLiteral("#12ABEF") });
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Picked #12ABEF and copied it"));

    state.handlePointTool({ 20, 3 });
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Could not sample color"));
    EXPECT_EQ(state.lastPickedColorHex(), QStringLiteral("#12ABEF"));
}

TEST_F(AppStateTest, AdjustingFindsTheShapeByIdAndKeepsItsPlace)
{
    drag(AnnotationTool::arrow, { 0, 0 }, { 50, 50 });
    drag(AnnotationTool::magnifier, { 0, 0 }, { 50, 50 });
    drag(AnnotationTool::line, { 0, 0 }, { 50, 50 });
    const auto before = state.annotations();
    state.statusMessage.set(QStringLiteral("unchanged"));

    state.updateArrow(before[0].id, { 1, 2 }, { 3, 4 });
    state.updateMagnifierFocus(before[1].id, { 9, 9 });
    state.updateArrow(before[2].id, { 7, 7 }, { 8, 8 }); // a line is not an arrow
    state.updateArrow(QUuid::createUuid(), { 7, 7 }, { 8, 8 }); // unknown id

    const auto& after = state.annotations();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].kind, AnnotationShape::Kind(AnnotationKinds::Arrow { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(after[0].id, before[0].id);
    EXPECT_EQ(after[0].style, before[0].style);
    EXPECT_EQ(std::get<AnnotationKinds::Magnifier>(after[1].kind).focus, QPointF(9, 9));
    EXPECT_EQ(after[2], before[2]);
    EXPECT_EQ(state.statusMessage(), QStringLiteral("unchanged"));
}
