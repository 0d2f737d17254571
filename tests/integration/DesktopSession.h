#pragma once

// A desktop of its own for end-to-end tests of the trovix binary: a private X server with
// the Openbox window manager (no compositor) and a known picture on the root window, the
// helper programs a user's desktop has, and one run of trovix on it.
#include "PrivateXvfb.h"
#include "support/Polling.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace EndToEnd {

using namespace std::chrono_literals;

inline const QSize defaultScreenSize(1280, 800);

// Every pixel differs from its neighbours, so a picture taken one pixel off shows.
inline QImage distinctPattern(QSize size)
{
    QImage pattern(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pattern.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x & 0xff, y & 0xff, ((x >> 8) << 4 | (y >> 8)) & 0xff);
    }
    return pattern;
}

// A private X server with an EWMH window manager and a known picture on the root window.
class DesktopSession {
public:
    explicit DesktopSession(QSize screenSize = defaultScreenSize)
        : m_server(screenSize)
        , m_pattern(distinctPattern(screenSize))
    {
        if (!m_server.isRunning()) {
            m_problem = QStringLiteral("Xvfb did not start");
            return;
        }
        // A session bus shared with other programs could hand our launches to their Trovix;
        // a test that wants a bus brings its own.
        m_environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        m_environment.insert(QStringLiteral("DISPLAY"), m_server.display());
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.setProcessChannelMode(QProcess::MergedChannels);
        // A server that has just reported its display sometimes refuses the first connection
        // (Openbox: "Failed to open the display"), as the tests' own connections are retried;
        // a second start works, and a failure message keeps what each attempt said.
        for (int attempt = 1; attempt <= 3 && !m_ready; ++attempt) {
            m_windowManager.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
            m_ready = waitUntil(
                          [this] {
                              return m_windowManager.state() == QProcess::NotRunning
                                  || run(QStringLiteral("xprop"),
                                      { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
                                         .contains("window id");
                          },
                          20s)
                && m_windowManager.state() == QProcess::Running;
            if (!m_ready) {
                m_problem
                    += QStringLiteral("Openbox did not manage the screen %1 (attempt %2: %3, exit code or "
                                      "signal %4): %5\n")
                           .arg(m_server.display())
                           .arg(attempt)
                           .arg(m_windowManager.state() == QProcess::Running ? QStringLiteral("still running")
                                   : m_windowManager.exitStatus() == QProcess::CrashExit ? QStringLiteral("killed")
                                                                                         : QStringLiteral("exited"))
                           .arg(m_windowManager.exitCode())
                           .arg(QString::fromLocal8Bit(m_windowManager.readAll()));
                m_windowManager.kill();
                m_windowManager.waitForFinished(3000);
            }
        }
        if (!m_ready)
            return;
        if (!m_problem.isEmpty())
            std::fprintf(stderr, "%s", qPrintable(m_problem));
        const QString patternFile = m_files.filePath(QStringLiteral("pattern.png"));
        m_ready = m_pattern.save(patternFile)
            && run(QStringLiteral("display"), { QStringLiteral("-window"), QStringLiteral("root"), patternFile }, 20000)
                   .isEmpty();
        if (!m_ready)
            m_problem = QStringLiteral("the root picture could not be set");
    }
    ~DesktopSession()
    {
        m_windowManager.terminate();
        m_windowManager.waitForFinished(3000);
    }

    [[nodiscard]] bool isReady() const { return m_ready; }
    // Why the session is not ready, for the test's failure message.
    [[nodiscard]] const QString& problem() const { return m_problem; }
    [[nodiscard]] const QImage& pattern() const { return m_pattern; }
    [[nodiscard]] const QProcessEnvironment& environment() const { return m_environment; }
    [[nodiscard]] const QString& display() const { return m_server.display(); }

    // Runs a helper program on this desktop to its end, within a bound; gives its output.
    QByteArray run(const QString& program, const QStringList& arguments, int timeoutMilliseconds = 10000) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
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

    void press(const QString& keys) const { run(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }); }
    void xdotool(const QStringList& arguments) const { run(QStringLiteral("xdotool"), arguments); }

    // The whole root window as another program sees it.
    [[nodiscard]] QImage rootPicture() const
    {
        return QImage::fromData(
            run(QStringLiteral("import"),
                { QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-") }, 20000),
            "PNG")
            .convertToFormat(QImage::Format_RGB32);
    }

    // Root rectangles of the visible windows with that name.
    [[nodiscard]] QList<QRect> windowGeometries(const QString& name) const
    {
        QList<QRect> geometries;
        for (const QString& id : visibleWindowsNamed(name)) {
            const QString info = QString::fromUtf8(run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), id }));
            const auto field = [&info](const QString& label) {
                const qsizetype at = info.indexOf(label);
                return at < 0 ? -1 : info.mid(at + label.size()).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
            };
            geometries.append(
                QRect(field(QStringLiteral("Absolute upper-left X:")), field(QStringLiteral("Absolute upper-left Y:")),
                    field(QStringLiteral("Width:")), field(QStringLiteral("Height:"))));
        }
        return geometries;
    }

    [[nodiscard]] QStringList visibleWindowsNamed(const QString& name) const
    {
        return QString::fromUtf8(run(QStringLiteral("xdotool"),
                                     { QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QLatin1Char('^') + name + QLatin1Char('$') }))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The windows a taskbar lists: every managed client, shown or minimized.
    [[nodiscard]] bool isInClientList(const QString& decimalWindowId) const
    {
        const QString hex = QStringLiteral("0x") + QString::number(decimalWindowId.toULongLong(), 16);
        const QString list = QString::fromUtf8(
            run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST") }));
        return list.split(QRegularExpression(QStringLiteral("[\\s,#]+"))).contains(hex);
    }

    [[nodiscard]] bool editorIsVisible() const { return !visibleWindowsNamed(QStringLiteral("Trovix")).isEmpty(); }

    [[nodiscard]] QImage pastedPng() const
    {
        return QImage::fromData(run(QStringLiteral("xclip"),
                                    { QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                                        QStringLiteral("image/png"), QStringLiteral("-o") },
                                    3000),
            "PNG");
    }

    // False when no editor is on the screen.
    bool pressEscapeInEditor() const
    {
        const QStringList windows = visibleWindowsNamed(QStringLiteral("Trovix"));
        if (windows.isEmpty())
            return false;
        run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), QStringLiteral("--sync"), windows.front() });
        press(QStringLiteral("Escape"));
        return true;
    }

    // Esc in the editor copies what it shows and hides it: gives the pasted picture, or a
    // null image when the editor did not show a capture within the time.
    [[nodiscard]] QImage escapeAndPaste(std::chrono::milliseconds limit) const
    {
        QImage pasted;
        waitUntil(
            [&] {
                if (!pressEscapeInEditor())
                    return false;
                // The editor copies before it hides: reading sooner may give the clipboard's
                // previous picture, and a hidden editor takes no second Esc.
                if (!waitUntil([this] { return !editorIsVisible(); }, 20s))
                    return false;
                pasted = pastedPng();
                return !pasted.isNull();
            },
            limit);
        return pasted;
    }

    void drag(QPoint from, QPoint to) const
    {
        const auto at = [](QPoint point) {
            return QStringList { QString::number(point.x()), QString::number(point.y()) };
        };
        const QPoint middle = (from + to) / 2;
        run(QStringLiteral("xdotool"),
            QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(from)
                + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousedown"),
                    QStringLiteral("1"), QStringLiteral("mousemove"), QStringLiteral("--sync") }
                + at(middle)
                + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove"),
                    QStringLiteral("--sync") }
                + at(to)
                + QStringList {
                    QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mouseup"), QStringLiteral("1") });
    }

private:
    PrivateXvfb m_server;
    QImage m_pattern;
    QTemporaryDir m_files;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QProcess m_windowManager;
    bool m_ready = false;
    QString m_problem;
};

// One run of the trovix binary on the session, with its settings under configFolder.
class Trovix {
public:
    // Kept errors are read by the test (with the capture log on) instead of being shown.
    enum class Errors { shown, kept };

    Trovix(const DesktopSession& session, const QString& configFolder, const QProcessEnvironment& extra = {},
        Errors errors = Errors::shown)
    {
        QProcessEnvironment environment = session.environment();
        environment.insert(extra);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        if (errors == Errors::kept)
            environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("trovix.capture.debug=true"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(
            errors == Errors::kept ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
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

// A session bus of the test's own, so that the name Trovix takes is free and nobody else's.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateSessionBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(3000);
    }
    [[nodiscard]] const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

inline void storeSetting(const QString& configFolder, const QString& key, const QJsonValue& value)
{
    const QString path = configFolder + QStringLiteral("/trovix/settings.json");
    QFile file(path);
    QJsonObject settings;
    if (file.open(QIODevice::ReadOnly))
        settings = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    settings.insert(key, value);
    ASSERT_TRUE(QDir().mkpath(configFolder + QStringLiteral("/trovix")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(settings).toJson());
}

} // namespace EndToEnd
