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

TEST(SingleInstanceGuard, TheLockIsFreedWhenTheInstanceEndsAndNobodyAnswersThen)
{
    const QString name = uniqueName();
    {
        SingleInstanceGuard first(name);
        ASSERT_TRUE(first.claim());
    }
    SingleInstanceGuard lonely(name);
    EXPECT_FALSE(lonely.notifyRunningInstance(200));
    EXPECT_TRUE(lonely.claim());
}
