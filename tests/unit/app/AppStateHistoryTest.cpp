#include "AppStateFixture.h"

#include <random>

namespace {

// What the user sees of the document after one edit.
struct Seen {
    std::optional<QImage> flattened;
    std::size_t annotationCount;
    qint64 nextCalloutNumber;
    std::optional<QRectF> cropSelection;

    friend bool operator==(const Seen&, const Seen&) = default;
};

class AppStateHistoryTest : public AppStateTest {
protected:
    Seen seen() const
    {
        const std::optional<Image> rendered = state.renderedImage(false);
        return { rendered ? std::optional(rendered->pixels()) : std::nullopt, state.annotations().size(),
            state.nextCalloutNumber(), state.cropSelection() };
    }

    [[nodiscard]] std::optional<QUuid> lastOf(int kindIndex) const
    {
        const auto& list = state.annotations();
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (int(it->kind.index()) == kindIndex)
                return it->id;
        }
        return std::nullopt;
    }

    // One random edit of every kind the editor offers; some are refused (too small, no such shape).
    void randomEdit(std::mt19937& random)
    {
        const auto coordinate = [&](int limit) { return double(std::uniform_int_distribution(0, limit)(random)); };
        const double w = state.baseImage() ? state.baseImage()->width() : 200;
        const double h = state.baseImage() ? state.baseImage()->height() : 150;
        const QPointF a(coordinate(int(w)), coordinate(int(h)));
        const QPointF b(coordinate(int(w)), coordinate(int(h)));
        state.strokeColor.set(QColor::fromHsv(std::uniform_int_distribution(0, 359)(random), 220, 230));
        switch (std::uniform_int_distribution(0, 13)(random)) {
        case 0:
            return drag(AnnotationTool::rectangle, a, b);
        case 1:
            return drag(AnnotationTool::arrow, a, b);
        case 2:
            return drag(AnnotationTool::pixelate, a, b);
        case 3:
            return drag(AnnotationTool::magnifier, a, b);
        case 4:
            state.selectedTool.set(AnnotationTool::callout);
            return state.handlePointTool(a);
        case 5:
            state.selectedTool.set(AnnotationTool::text);
            return state.handlePointTool(a);
        case 6:
            if (const auto arrow = lastOf(int(AnnotationShape::Kind(AnnotationKinds::Arrow {}).index()))) {
                // A gesture of several drag events is one step.
                state.updateArrow(*arrow, a, b);
                state.updateArrow(*arrow, b, a);
                state.finishAnnotationAdjustment();
            }
            return;
        case 7:
            if (const auto lens = lastOf(int(AnnotationShape::Kind(AnnotationKinds::Magnifier {}).index()))) {
                state.updateMagnifierFocus(*lens, a);
                state.updateMagnifierFocus(*lens, b);
                state.finishAnnotationAdjustment();
            }
            return;
        case 8:
            return state.removeLastAnnotation();
        case 9:
            return drag(AnnotationTool::crop, a, b);
        case 10:
            return state.applyCropSelection();
        case 11:
            state.resizePercent.set(QString::number(std::uniform_int_distribution(60, 140)(random)));
            return state.applyResize();
        case 12:
            return state.appendCaptureToCanvas(solidImage({ 60, 40 }, Qt::darkCyan));
        default:
            return state.loadImageIntoEditor(
                solidImage({ 200, 150 }, QColor::fromHsv(int(a.x()), 90, 200)), QStringLiteral("Loaded"), false);
        }
    }
};

} // namespace

TEST_F(AppStateHistoryTest, UndoingAndRedoingEverythingRetracesEveryStep)
{
    for (const unsigned seed : { 1u, 7u, 2026u }) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const std::size_t earlierSteps = state.history().undoCount();
        std::vector<Seen> steps { seen() };
        for (int edit = 0; edit < 60; ++edit) {
            const Seen before = seen();
            const std::size_t count = state.history().undoCount();
            randomEdit(random);
            if (state.history().undoCount() > count)
                steps.push_back(seen());
            else // whatever the user can see change is a step
                ASSERT_EQ(seen(), before) << "edit " << edit;
        }
        ASSERT_EQ(state.history().undoCount(), earlierSteps + steps.size() - 1);
        ASSERT_GT(steps.size(), 30u);
        for (std::size_t index = steps.size() - 1; index > 0; --index) {
            state.undo();
            ASSERT_EQ(seen(), steps[index - 1]) << "undo to step " << index - 1;
        }
        EXPECT_EQ(state.history().undoCount(), earlierSteps);
        for (std::size_t index = 1; index < steps.size(); ++index) {
            state.redo();
            ASSERT_EQ(seen(), steps[index]) << "redo to step " << index;
        }
        EXPECT_FALSE(state.redoStepName().has_value());
        // A new edit after undoing drops what could be redone.
        state.undo();
        state.undo();
        drag(AnnotationTool::rectangle, { 1, 1 }, { 30, 30 });
        EXPECT_FALSE(state.redoStepName().has_value());
        EXPECT_EQ(state.undoStepName(), QStringLiteral("Add Rectangle"));
    }
}

TEST_F(AppStateHistoryTest, UndoNamesTheStepAndKeepsTheToolbarMessage)
{
    state.loadImageIntoEditor(solidImage({ 200, 150 }, Qt::white), QStringLiteral("Loaded"), false);
    drag(AnnotationTool::arrow, { 10, 10 }, { 100, 100 });
    const QUuid arrow = state.annotations().back().id;
    for (const QPointF end : { QPointF(120, 90), QPointF(130, 80), QPointF(140, 70) })
        state.updateArrow(arrow, { 10, 10 }, end);
    state.finishAnnotationAdjustment();
    state.updateArrow(arrow, { 20, 20 }, { 140, 70 });
    state.finishAnnotationAdjustment();
    EXPECT_EQ(state.history().undoCount(), 4u);
    EXPECT_EQ(state.undoStepName(), QStringLiteral("Move Arrow"));

    state.undo();
    state.undo();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Undid Move Arrow"));
    EXPECT_EQ(std::get<AnnotationKinds::Arrow>(state.annotations().back().kind).end, QPointF(100, 100));
    EXPECT_EQ(state.redoStepName(), QStringLiteral("Move Arrow"));
    state.undo();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Removed last annotation"));
    EXPECT_EQ(state.undoStepName(), QStringLiteral("Open Image"));
    state.undo();
    EXPECT_FALSE(state.baseImage().has_value());
    state.redo();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Redid Open Image"));
    EXPECT_TRUE(state.baseImage().has_value());
}
