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
