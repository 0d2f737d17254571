#include "app/EditHistory.h"

#include <gtest/gtest.h>

namespace {

DocumentSnapshot withPicture(const QImage& pixels)
{
    return DocumentSnapshot { Image(pixels), {}, std::nullopt, 1 };
}

} // namespace

TEST(EditHistoryTest, StepsSharingAPictureCountItOnceAndTheOldestGoFirst)
{
    QImage picture(100, 100, QImage::Format_ARGB32_Premultiplied); // 40 000 bytes
    picture.fill(Qt::white);
    EditHistory history(100'000);
    for (int step = 0; step < 10; ++step)
        history.record(withPicture(picture), QStringLiteral("Add Arrow"));
    EXPECT_EQ(history.pictureBytes(), picture.sizeInBytes());
    EXPECT_EQ(history.undoCount(), 10u);

    // Two more pictures pass the budget: the steps holding the first one are dropped.
    for (const QColor color : { Qt::red, Qt::blue }) {
        QImage other = picture.copy();
        other.fill(color);
        history.record(withPicture(other), QStringLiteral("Crop"));
    }
    EXPECT_EQ(history.undoCount(), 2u);
    EXPECT_LE(history.pictureBytes(), 100'000);
    std::optional<DocumentSnapshot> oldest = history.undo(withPicture(picture));
    oldest = history.undo(std::move(*oldest));
    ASSERT_TRUE(oldest && oldest->image);
    EXPECT_EQ(oldest->image->pixels().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_FALSE(history.undo(std::move(*oldest)).has_value());
}
