#include "app/ViewportZoomRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace Rules = ViewportZoomRules;

TEST(ViewportZoomRules, StableViewportSizeSkipsTransientSizes)
{
    const struct {
        const char* name;
        std::vector<QSizeF> candidates;
        QSizeF expected;
    } cases[] = {
        { "largest area wins", { { 800, 600 }, { 815, 615 }, { 815, 615 } }, { 815, 615 } },
        { "an equal area does not replace", { { 600, 400 }, { 400, 600 }, { 300, 300 } }, { 600, 400 } },
        { "120 or less is transient", { { 120, 900 }, { 500, 400 }, { 2000, 120 } }, { 500, 400 } },
        { "all transient: first positive", { { 0, 50 }, { 100, 80 }, { 110, 110 } }, { 100, 80 } },
        { "nothing laid out", { { 0, 0 }, { -1, 5 }, { 0, 0 } }, { 0, 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Rules::stableViewportSize(c.candidates), c.expected);
    }
}

TEST(ViewportZoomRules, ResolvedZoomPerBehaviour)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        QSizeF viewport;
        std::optional<QSizeF> image;
        ZoomBehavior behavior;
        double requested;
        double expected;
    } cases[] = {
        { "fit ignores the margin", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::fit, 1, 0.5 },
        { "fit by height", { 1000, 700 }, QSizeF(1000, 1400), ZoomBehavior::fit, 1, 0.5 },
        { "fit of a tiny image stops at 8", { 1000, 700 }, QSizeF(50, 20), ZoomBehavior::fit, 1, 8 },
        { "fit of a huge image stops at 0.1", { 1000, 700 }, QSizeF(40000, 100), ZoomBehavior::fit, 1, 0.1 },
        { "empty canvas fits with its margin", { 1000, 700 }, std::nullopt, ZoomBehavior::fit, 1, 1000.0 / 1104 },
        { "empty canvas in a large viewport", { 2000, 1500 }, std::nullopt, ZoomBehavior::fit, 1, 1 },
        { "custom as asked", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::custom, 2.5, 2.5 },
        { "custom above the limit", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::custom, 20, 8 },
        { "custom below the limit", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::custom, 0.01, 0.1 },
        { "custom of a corrupt scale", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::custom, nan, 1 },
        { "actual size", { 1000, 700 }, QSizeF(2000, 1000), ZoomBehavior::actualSize, 3, 1 },
        { "fit before layout", { 0, 0 }, QSizeF(2000, 1000), ZoomBehavior::fit, 1, 0.1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(Rules::resolvedZoomScale(c.viewport, c.image, c.behavior, c.requested), c.expected);
    }
}

// Zoomed in, the margin decides: the canvas is larger than the visible area.
TEST(ViewportZoomRules, ZoomedInCanvasKeepsItsMarginAroundTheImage)
{
    const auto zoomed = Rules::canvasGeometry({ 1000, 700 }, QSizeF(2000, 1000), 2);
    EXPECT_EQ(zoomed.canvasSize, QSizeF(2144, 1144));
    EXPECT_EQ(zoomed.imageFrame, QRectF(72, 72, 2000, 1000));
}

TEST(ViewportZoomRules, GeometryEpsilonAndWriteBack)
{
    EXPECT_FALSE(Rules::differsNoticeably({ 0, 0, 100, 100 }, { 0.5, -0.5, 100.5, 99.5 }));
    EXPECT_TRUE(Rules::differsNoticeably({ 0, 0, 100, 100 }, { 0, 0, 100.6, 100 }));
    EXPECT_TRUE(Rules::differsNoticeably({}, { 72, 200, 2000, 1000 }));

    EXPECT_EQ(Rules::zoomScaleWriteBack(true, 0.5, 1.0), 0.5);
    EXPECT_EQ(Rules::zoomScaleWriteBack(true, 0.5, 0.5005), std::nullopt);
    EXPECT_EQ(Rules::zoomScaleWriteBack(false, 0.9058, 0.7), 1.0);
    EXPECT_EQ(Rules::zoomScaleWriteBack(false, 0.9058, 1.0), std::nullopt);
    EXPECT_EQ(Rules::zoomScaleWriteBack(true, 2.0, std::numeric_limits<double>::quiet_NaN()), 2.0);
}

namespace {

// Drives the coordinator as the viewport does: a decision to apply is followed by an application.
class CoordinatorTest : public testing::Test {
protected:
    Rules::ZoomDecision update(Rules::ViewportState state)
    {
        const Rules::ZoomDecision decision = coordinator.decide(state);
        if (decision.apply && coordinator.beginApplying())
            coordinator.finishApplying();
        return decision;
    }

    Rules::ViewportState base { 1, QSizeF(2000, 1000), QSizeF(1000, 700), ZoomBehavior::fit, 1.0 };
    Rules::Coordinator coordinator;
    static constexpr Rules::ZoomDecision none { false, false };
    static constexpr Rules::ZoomDecision keepCentre { true, false };
    static constexpr Rules::ZoomDecision recentre { true, true };
};

} // namespace

TEST_F(CoordinatorTest, NothingIsDecidedBeforeLayout)
{
    auto unlaid = base;
    unlaid.viewportSize = QSizeF(0, 0);
    EXPECT_EQ(update(unlaid), none);
    EXPECT_FALSE(coordinator.hasAppliedZoom());
    // The first real size still gets the first, recentring application, and only once.
    EXPECT_EQ(update(base), recentre);
    EXPECT_TRUE(coordinator.hasAppliedZoom());
    EXPECT_EQ(update(base), none);
}

TEST_F(CoordinatorTest, SmallResizeStepsAddUp)
{
    update(base);
    auto resized = base;
    for (const double width : { 1003.0, 1006.0 }) {
        resized.viewportSize.setWidth(width);
        EXPECT_EQ(update(resized), none) << width;
    }
    resized.viewportSize.setWidth(1009);
    EXPECT_EQ(update(resized), keepCentre);
}

TEST_F(CoordinatorTest, CustomRequestsKeepTheCentre)
{
    auto state = base;
    state.behavior = ZoomBehavior::custom;
    update(state);
    state.zoomScale = 1.0005;
    EXPECT_EQ(update(state), none);
    state.zoomScale = 1.2;
    EXPECT_EQ(update(state), keepCentre);
    // In fit mode a different scale is only the fitted value coming back.
    state.behavior = ZoomBehavior::fit;
    update(state);
    state.zoomScale = 0.5;
    EXPECT_EQ(update(state), none);
}

TEST_F(CoordinatorTest, NewImageOrNewSizeRecentres)
{
    update(base);
    auto state = base;
    state.imageIdentity = 2;
    EXPECT_EQ(update(state), recentre);
    state.imageSize = QSizeF(2000, 1000.25);
    EXPECT_EQ(update(state), recentre);
    state.imageIdentity = std::nullopt;
    EXPECT_EQ(update(state), recentre);
}

TEST_F(CoordinatorTest, ApplyingDoesNotReenter)
{
    ASSERT_TRUE(coordinator.beginApplying());
    EXPECT_FALSE(coordinator.beginApplying());
    coordinator.finishApplying();
    EXPECT_TRUE(coordinator.hasAppliedZoom());
    EXPECT_TRUE(coordinator.beginApplying());
}
