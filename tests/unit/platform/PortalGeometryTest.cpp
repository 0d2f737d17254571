#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalScreenFreezer.h"
#include "platform/portal/PortalScreenshot.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PortalRequest, answersOnThePathMadeOfTheSendersNameAndTheToken)
{
    EXPECT_EQ(PortalRequest::requestPath(QStringLiteral(":1.42"), QStringLiteral("trovix7_1")).toStdString(),
        "/org/freedesktop/portal/desktop/request/1_42/trovix7_1");
}

TEST(PortalScreenshot, removesOnlyFilesInTemporaryFolders)
{
    QTemporaryDir home(QDir::homePath() + QStringLiteral("/trovix-test-XXXXXX"));
    ASSERT_TRUE(home.isValid());
    struct Case {
        QString path;
        bool temporary;
    };
    const Case cases[] = {
        { QStringLiteral("/tmp/out.png"), true },
        { QDir::tempPath() + QStringLiteral("/sub/../out.png"), true },
        { QStringLiteral("/var/tmp/out.png"), true },
        { home.filePath(QStringLiteral("Screenshot.png")), false },
        { QStringLiteral("/tmpfoo/out.png"), false },
        { QStringLiteral("relative.png"), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(PortalScreenshot::isTemporaryFile(c.path), c.temporary);
    }
}

TEST(PortalScreenFreezer, findsTheOutputByNameElseByItsPlace)
{
    const QList<DesktopOutput> outputs { { QStringLiteral("DP-1"), QRect(0, 0, 1920, 1080), 1.0 },
        { QStringLiteral("eDP-1"), QRect(1920, 0, 1280, 800), 2.0 } };
    const auto nameOf = [&](const QString& name, QRect root) {
        const std::optional<DesktopOutput> output
            = PortalScreenFreezer::outputFor(Screen { name, {}, {}, 1.0, root }, outputs);
        return output ? output->name.toStdString() : std::string("none");
    };
    EXPECT_EQ(nameOf(QStringLiteral("eDP-1"), QRect(0, 0, 1, 1)), "eDP-1");
    EXPECT_EQ(nameOf(QStringLiteral("XWAYLAND1"), QRect(1920, 0, 1280, 800)), "eDP-1");
    EXPECT_EQ(nameOf(QStringLiteral("XWAYLAND0"), QRect(0, 0, 1920, 1000)), "none");
}
