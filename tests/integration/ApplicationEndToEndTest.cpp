// The real trovix binary under the test's X server: global shortcuts, capture, Esc to the
// clipboard, and one instance per session.
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using namespace std::chrono_literals;

// Runs a helper program to its end while our event loop keeps running, within a bound.
QByteArray runTool(const QString& program, const QStringList& arguments, int timeoutMilliseconds = 10000)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
    process.start(program, arguments);
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    return process.readAllStandardOutput();
}

// Polls until the condition holds or the time runs out; the event loop keeps running.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return condition();
}

QStringList visibleWindowsNamed(const QString& name)
{
    const QString output = QString::fromUtf8(
        runTool(QStringLiteral("xdotool"), { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QLatin1Char('^') + name + QLatin1Char('$') }));
    return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class Trovix {
public:
    explicit Trovix(const QString& configFolder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), {});
    }
    ~Trovix()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    QProcess& process() { return m_process; }

private:
    QProcess m_process;
};

} // namespace

TEST(ApplicationEndToEnd, ShortcutCapturesTheScreenAndEscapeCopiesIt)
{
    QTemporaryDir config;
    Trovix trovix(config.path());
    ASSERT_TRUE(waitUntil([] { return !visibleWindowsNamed(QStringLiteral("Trovix")).isEmpty(); }, 60s))
        << "the editor appears at start";

    // A second launch hands over to the running instance and ends.
    QProcess second;
    second.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), {});
    ASSERT_TRUE(waitUntil([&] { return second.state() == QProcess::NotRunning; }, 60s));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(trovix.process().state(), QProcess::Running);

    runTool(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("ctrl+alt+5") });
    // The editor shows the capture: its size label names the whole screen.
    QImage pasted;
    const bool copied = waitUntil(
        [&] {
            const QStringList windows = visibleWindowsNamed(QStringLiteral("Trovix"));
            if (windows.isEmpty())
                return false;
            runTool(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), windows.front() });
            runTool(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Escape") });
            const QByteArray png = runTool(QStringLiteral("xclip"),
                { QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), QStringLiteral("image/png"),
                    QStringLiteral("-o") },
                3000);
            pasted = QImage::fromData(png, "PNG");
            return !pasted.isNull();
        },
        90s);
    ASSERT_TRUE(copied) << "Esc put the captured picture on the clipboard";
    const QByteArray geometry = runTool(QStringLiteral("xdpyinfo"), {});
    const QString size = QStringLiteral("%1x%2").arg(pasted.width()).arg(pasted.height());
    EXPECT_TRUE(geometry.contains(size.toUtf8())) << "the paste is the whole screen: " << size.toStdString();
    EXPECT_TRUE(waitUntil([] { return visibleWindowsNamed(QStringLiteral("Trovix")).isEmpty(); }, 20s))
        << "Esc hid the editor";
}
