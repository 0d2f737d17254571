#include "services/AutoSaveLocation.h"

#include <QDir>

#include <gtest/gtest.h>

#include <set>

namespace {

const QDateTime s_time(QDate(2026, 12, 5), QTime(9, 14, 26));

} // namespace

TEST(AutoSaveLocation, ExpandsOnlyALeadingTilde)
{
    EXPECT_EQ(
        AutoSaveLocation::expandedFolder(QStringLiteral("~/Pictures/Trovix")), QDir::homePath() + "/Pictures/Trovix");
    EXPECT_EQ(AutoSaveLocation::expandedFolder(QStringLiteral("~")), QDir::homePath());
    EXPECT_EQ(AutoSaveLocation::expandedFolder(QStringLiteral("/tmp/~shots")), QStringLiteral("/tmp/~shots"));
    EXPECT_EQ(AutoSaveLocation::expandedFolder(QStringLiteral("~other/x")), QStringLiteral("~other/x"));
}

TEST(AutoSaveLocation, SavesWithinOneSecondGetNumberedNames)
{
    std::set<QString> taken;
    const auto exists = [&](const QString& path) { return taken.count(path) > 0; };
    const QStringList expected { QStringLiteral("/shots/Trovix 2026-12-05 at 09.14.26.png"),
        QStringLiteral("/shots/Trovix 2026-12-05 at 09.14.26 2.png"),
        QStringLiteral("/shots/Trovix 2026-12-05 at 09.14.26 3.png") };
    for (const QString& name : expected) {
        const QString path = AutoSaveLocation::uniquePath(QStringLiteral("/shots"), s_time, exists);
        EXPECT_EQ(path, name);
        taken.insert(path);
    }
}
