// The area overlay under a Wayland compositor. Trovix's own windows run on XWayland, whose
// root is the desktop's logical layout, so xdotool drives the overlay there; the capture is
// cut from the portal's picture of the output, at that output's scale.
#include "WaylandDesktop.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace WaylandDesktop;
using namespace std::chrono_literals;

namespace {

bool run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = {})
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QStringList at(QPoint point)
{
    return { QString::number(point.x()), QString::number(point.y()) };
}

class AreaSelection : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "runs inside scripts/wayland-session.sh";
        ASSERT_TRUE(m_wallpapers.shown()) << "swaybg did not show the patterns";
        // XWayland starts with the session but may still be coming up; Trovix's windows need it.
        ASSERT_TRUE(
            waitUntil([] { return run(QStringLiteral("xdotool"), { QStringLiteral("getmouselocation") }); }, 30s))
            << "XWayland does not answer";
        ASSERT_TRUE(QDir().mkpath(m_config.filePath(QStringLiteral("trovix"))));
        QFile settings(m_config.filePath(QStringLiteral("trovix/settings.json")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(QJsonDocument(
            QJsonObject { { QStringLiteral("saveAfterScreenshot"), true },
                { QStringLiteral("screenshotsFolderPath"), m_saved.path() },
                { QStringLiteral("showAfterScreenshot"), false }, { QStringLiteral("splashWindowDisabled"), true } })
                           .toJson());
        settings.close();
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_trovix.setProcessEnvironment(m_environment);
        m_trovix.setProcessChannelMode(QProcess::ForwardedChannels);
        m_trovix.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), { QStringLiteral("show") });
        ASSERT_TRUE(m_trovix.waitForStarted(10000));
        // Commands reach the running Trovix over the session bus once it holds its name.
        ASSERT_TRUE(waitUntil(
            [] {
                QProcess ask;
                ask.start(QStringLiteral("dbus-send"),
                    { QStringLiteral("--session"), QStringLiteral("--print-reply"),
                        QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                        QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                        QStringLiteral("string:io.github.trovix.Trovix") });
                return ask.waitForFinished(10000) && ask.readAllStandardOutput().contains("boolean true");
            },
            30s))
            << "Trovix did not take its name on the session bus";
    }

    void TearDown() override
    {
        m_trovix.terminate();
        m_trovix.waitForFinished(10000);
    }

    // With the pointer on `pointer`, asks the running Trovix for an area capture, drags from
    // `from` to `to` (XWayland root pixels, the desktop's logical layout) and gives the
    // picture it saved.
    QImage capture(QPoint pointer, QPoint from, QPoint to)
    {
        EXPECT_TRUE(run(QStringLiteral("xdotool"),
            QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(pointer)));
        EXPECT_TRUE(run(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"),
            { QStringLiteral("capture"), QStringLiteral("area") }, m_environment));
        const bool overlay = waitUntil(
            [] {
                return run(QStringLiteral("xdotool"),
                    { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                        QStringLiteral("^Select an Area$") });
            },
            20s);
        if (!overlay) {
            ADD_FAILURE() << "the area overlay did not show";
            return {};
        }
        const QStringList pause { QStringLiteral("sleep"), QStringLiteral("0.2") };
        EXPECT_TRUE(run(QStringLiteral("xdotool"),
            QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(from) + pause
                + QStringList { QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mousemove") }
                + at((from + to) / 2) + pause + QStringList { QStringLiteral("mousemove") } + at(to) + pause
                + QStringList { QStringLiteral("mouseup"), QStringLiteral("1") }));
        QString file;
        waitUntil(
            [&] {
                const QStringList pictures = QDir(m_saved.path()).entryList({ QStringLiteral("*.png") }, QDir::Files);
                file = pictures.isEmpty() ? QString() : m_saved.filePath(pictures.front());
                return !file.isEmpty() && !QImage(file).isNull();
            },
            20s);
        if (file.isEmpty()) {
            ADD_FAILURE() << "no capture was saved";
            return {};
        }
        const QImage picture(file);
        QFile::remove(file);
        return picture;
    }

    Wallpapers m_wallpapers;
    QTemporaryDir m_config;
    QTemporaryDir m_saved;
    QProcessEnvironment m_environment;
    QProcess m_trovix;
};

} // namespace

TEST_F(AreaSelection, aDragOnEitherOutputSavesItsPixelsAtThatOutputsScale)
{
    // 100 x 75 points from (20, 20) on the scale-2 output: 200 x 150 of its device pixels.
    const QImage onSecond = capture({ 800, 100 }, { 660, 20 }, { 760, 95 });
    EXPECT_EQ(difference(onSecond, secondPattern().copy(40, 40, 200, 150)).toStdString(), "");

    // 200 x 150 points from (96, 96) on the scale-1 output, which the portal's picture holds
    // enlarged: exact away from the edges of its cells.
    const QImage onFirst = capture({ 320, 240 }, { 96, 96 }, { 296, 246 });
    EXPECT_EQ(difference(onFirst, firstPattern().copy(96, 96, 200, 150), true).toStdString(), "");
}
