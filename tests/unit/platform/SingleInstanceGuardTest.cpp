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

TEST(SingleInstanceGuard, ALaterLaunchFindsTheFirstAndHandsOverItsArgumentsAndTheLockIsFreedWhenItEnds)
{
    const QString name = uniqueName();
    SingleInstanceGuard first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy received(&first, &SingleInstanceGuard::requestReceived);

    SingleInstanceGuard second(name);
    EXPECT_FALSE(second.claim());
    const QStringList arguments { QStringLiteral("open"), QStringLiteral("--"),
        QStringLiteral("/tmp/Zrzut ekranu \"1\"\nłąka.png") };
    EXPECT_TRUE(second.notifyRunningInstance(arguments));
    ASSERT_TRUE(received.wait(5000));
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.front().front().toStringList(), arguments);

    // Once an instance ends its lock is free, and nobody answers a later launch.
    const QString freed = uniqueName();
    {
        SingleInstanceGuard ended(freed);
        ASSERT_TRUE(ended.claim());
    }
    SingleInstanceGuard lonely(freed);
    EXPECT_FALSE(lonely.notifyRunningInstance({}, 200));
    EXPECT_TRUE(lonely.claim());
}
