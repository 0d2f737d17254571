#include "app/ResizePercent.h"

#include <gtest/gtest.h>

TEST(ResizePercent, AcceptsWhatStrtodAcceptsAsAWholeNumber)
{
    const struct {
        const char* text;
        double value;
    } accepted[]
        = { { "50", 50 }, { "1e2", 100 }, { "12.5", 12.5 }, { "+7", 7 }, { ".5", 0.5 }, { "0x10", 16 }, { "5.", 5 } };
    for (const auto& c : accepted) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ResizePercent::parse(QString::fromLatin1(c.text)), c.value);
    }
    for (const char* text : { "abc", "", " 50", "50 ", "50%", "0", "-10", "nan", "inf", "-0", "1e400", "12,5", "\t5" })
        EXPECT_FALSE(ResizePercent::parse(QString::fromLatin1(text))) << text;
}

TEST(ResizePercent, TargetSizesRoundHalvesAwayNeverReachZeroAndStayAllocatable)
{
    EXPECT_EQ(ResizePercent::targetSize({ 101, 33 }, 50), QSizeF(51, 17));
    EXPECT_EQ(ResizePercent::targetSize({ 40, 40 }, 1), QSizeF(1, 1));
    EXPECT_EQ(ResizePercent::targetSize({ 3, 5 }, 50), QSizeF(2, 3));

    EXPECT_EQ(ResizePercent::targetSize({ 1000, 10 }, 3276.8), QSizeF(32768, 328));
    EXPECT_FALSE(ResizePercent::targetSize({ 1000, 10 }, 3276.9)) << "a side over 32768 points";
    EXPECT_FALSE(ResizePercent::targetSize({ 10, 1000 }, 3276.9)) << "the height too";
    EXPECT_FALSE(ResizePercent::targetSize({ 30000, 30000 }, 100)) << "over 500 million points";
    EXPECT_FALSE(ResizePercent::targetSize({ 1000, 1000 }, 1e300));
}
