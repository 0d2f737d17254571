#include "AppStateFixture.h"

TEST_F(AppStateTest, ZoomStepsClampAndReportThePercentage)
{
    const struct {
        double start;
        bool zoomIn;
        double expectedScale;
        const char* status;
    } cases[] = { { 1.0, true, 1.2, "Zoomed in to 120%" }, { 7.5, true, 8.0, "Zoomed in to 800%" },
        { 8.0, true, 8.0, "Zoomed in to 800%" }, { 0.11, false, 0.1, "Zoomed out to 10%" },
        { 1.0, false, 1.0 / 1.2, "Zoomed out to 83%" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        state.zoomBehavior.set(ZoomBehavior::fit);
        state.zoomScale.set(c.start);
        c.zoomIn ? state.zoomIn() : state.zoomOut();
        EXPECT_EQ(state.zoomBehavior(), ZoomBehavior::custom);
        EXPECT_DOUBLE_EQ(state.zoomScale(), c.expectedScale);
        EXPECT_EQ(state.statusMessage(), QString::fromLatin1(c.status));
    }
}
