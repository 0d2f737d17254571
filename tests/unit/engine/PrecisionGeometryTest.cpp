#include "engine/PrecisionGeometry.h"

#include <gtest/gtest.h>

namespace {

void expectNear(QPointF actual, QPointF expected, double tolerance = 1e-9)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

} // namespace

TEST(PrecisionGeometry, LineToolsSnapToEighthTurnsByProjection)
{
    const auto snap = [](QPointF to) {
        return PrecisionGeometry::adjustedPoint({ 0, 0 }, to, AnnotationTool::line, true);
    };
    expectNear(snap({ 10, 1 }), { 10, 0 });
    expectNear(snap({ 10, 9 }), { 9.5, 9.5 });
    expectNear(snap({ -1, -10 }), { 0, -10 });
    expectNear(snap({ -10, 0.5 }), { -10, 0 });
    // A drag too short to have a direction is returned as it is.
    expectNear(snap({ 0.001, -0.0005 }), { 0.001, -0.0005 });
}
