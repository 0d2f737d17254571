#include "platform/qt/SingleInstanceGuard.h"

#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

QString uniqueName()
{
    return QStringLiteral("trovix-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

TEST(SingleInstanceGuard, ALaterLaunchFindsTheFirstAndAsksItToShow)
{
    const QString name = uniqueName();
    SingleInstanceGuard first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy shown(&first, &SingleInstanceGuard::activationRequested);

    SingleInstanceGuard second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.notifyRunningInstance());
    EXPECT_TRUE(shown.wait(5000));
    EXPECT_EQ(shown.count(), 1);
}

TEST(SingleInstanceGuard, TheLockIsFreedWhenTheInstanceEnds)
{
    const QString name = uniqueName();
    {
        SingleInstanceGuard first(name);
        ASSERT_TRUE(first.claim());
    }
    SingleInstanceGuard next(name);
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstanceGuard, NobodyAnswersWhenNoInstanceRuns)
{
    SingleInstanceGuard lonely(uniqueName());
    EXPECT_FALSE(lonely.notifyRunningInstance(200));
}
