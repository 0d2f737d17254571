#include "engine/ShadowRenderer.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadowRenderer, nothingToCastGivesANullShadow)
{
    QImage indexed(10, 10, QImage::Format_Indexed8);
    EXPECT_TRUE(ShadowRenderer::castShadow(indexed, indexed.rect(), Qt::black, { 4, 4 }, {}).image.isNull());
    QImage argb(10, 10, QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(ShadowRenderer::castShadow(argb, QRect(20, 20, 5, 5), Qt::black, { 4, 4 }, {}).image.isNull());
}

} // namespace
