#include "WaylandDesktop.h"

#include <QFileInfo>

using namespace WaylandDesktop;

namespace {

struct ShotRun {
    int exitCode = -1;
    QString errorText;
};

ShotRun trovixShot(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), QStringList { QStringLiteral("shot") } + arguments);
    if (!process.waitForFinished(60000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError()) };
}

class PortalCapture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) << "runs inside scripts/wayland-session.sh";
        ASSERT_TRUE(m_wallpapers.shown()) << "swaybg did not show the patterns";
    }

    Wallpapers m_wallpapers;
};

} // namespace

// Each screen comes at its own scale: the scale-2 output exactly as the compositor shows it,
// the scale-1 output reduced from the portal's scale-2 picture of the whole desktop.
TEST_F(PortalCapture, trovixShotWritesEachScreenAtItsScale)
{
    const QString stale = QStringLiteral("/tmp/out.png");
    struct Case {
        QStringList arguments;
        QImage expected;
        bool skipCellEdges;
    };
    const Case cases[] = {
        { { QStringLiteral("--screen"), QStringLiteral("1") }, secondPattern(), false },
        { { QStringLiteral("--screen"), QStringLiteral("0") }, firstPattern(), true },
        { { QStringLiteral("--region"), QStringLiteral("700,20,100,50") }, secondPattern().copy(120, 40, 200, 100),
            false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const QString output = m_wallpapers.folder() + QStringLiteral("/shot.png");
        const ShotRun run = trovixShot(c.arguments + QStringList { QStringLiteral("--output"), output });
        ASSERT_EQ(run.exitCode, 0) << run.errorText.toStdString();
        EXPECT_EQ(difference(QImage(output), c.expected, c.skipCellEdges).toStdString(), "");
        // The portal's file lay in /tmp: read and removed.
        EXPECT_FALSE(QFileInfo::exists(stale));
    }
    const QString whole = m_wallpapers.folder() + QStringLiteral("/whole.png");
    ASSERT_EQ(trovixShot({ QStringLiteral("--output"), whole }).exitCode, 0);
    EXPECT_EQ(QImage(whole).size(), QSize(2080, 960));
    EXPECT_EQ(difference(QImage(whole).copy(1280, 0, 800, 600), secondPattern()).toStdString(), "");
}
