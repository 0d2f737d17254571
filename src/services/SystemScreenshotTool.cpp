#include "services/SystemScreenshotTool.h"

#include "domain/PlatformError.h"
#include "ports/ScreenCapturePermission.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QUuid>

#include <coroutine>

#include <QCoro/QCoroProcess>

Q_LOGGING_CATEGORY(lcScreencapture, "trovix.screencapture")

namespace {

// Removes the tool's output file however the run ends, also when the awaiting task is
// destroyed before the tool finishes.
class TemporaryOutputFile {
public:
    TemporaryOutputFile()
        : m_path(QDir(QDir::tempPath())
                     .filePath(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".png")))
    { }
    ~TemporaryOutputFile()
    {
        // Nothing to report if it fails: the file was never ours to keep.
        QFile::remove(m_path);
    }
    TemporaryOutputFile(const TemporaryOutputFile&) = delete;
    TemporaryOutputFile& operator=(const TemporaryOutputFile&) = delete;

    [[nodiscard]] const QString& path() const { return m_path; }

private:
    QString m_path;
};

QString decodeUtf8OrEmpty(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

// Resumes once the process runs or has failed to start. Awaiting only the started signal
// would sit out the whole timeout when the program cannot be executed, and QProcess's
// state signal carries a private tag that coroutine signal adaptors cannot pass safely.
class ProcessStart {
public:
    explicit ProcessStart(QProcess& process)
        : m_process(process)
    { }

    [[nodiscard]] bool await_ready() const noexcept { return m_process.state() != QProcess::Starting; }
    void await_suspend(std::coroutine_handle<> awaiting)
    {
        // Resumed from the event loop, not inside the signal: the rest of the run may end the
        // coroutine and with it the QProcess, which must not happen during its own emission.
        auto resume = [this, awaiting] {
            QObject::disconnect(m_started);
            QObject::disconnect(m_failed);
            QMetaObject::invokeMethod(
                &m_process, [awaiting] { awaiting.resume(); }, Qt::QueuedConnection);
        };
        m_started = QObject::connect(&m_process, &QProcess::started, resume);
        m_failed = QObject::connect(&m_process, &QProcess::errorOccurred, resume);
    }
    [[nodiscard]] bool await_resume() const noexcept { return m_process.state() == QProcess::Running; }

private:
    QProcess& m_process;
    QMetaObject::Connection m_started;
    QMetaObject::Connection m_failed;
};

QByteArray readOutput(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PlatformError(file.errorString());
    return file.readAll();
}

} // namespace

SystemScreenshotTool::SystemScreenshotTool(QString executable, ScreenCapturePermission& permission)
    : m_executable(std::move(executable))
    , m_permission(permission)
{ }

QString SystemScreenshotTool::defaultExecutable()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(QStringLiteral("trovix-screencapture"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString installed
        = QDir::cleanPath(programFolder.filePath(QStringLiteral(TROVIX_TOOL_FROM_BIN "/trovix-screencapture")));
    if (QFileInfo(installed).isExecutable())
        return installed;
    const QString systemTool = QStringLiteral("/usr/sbin/screencapture");
    if (QFileInfo(systemTool).isExecutable())
        return systemTool;
    return beside;
}

QStringList SystemScreenshotTool::argumentsForWindowCapture(std::uint32_t windowNumber)
{
    return { QStringLiteral("-x"), QStringLiteral("-o"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-l") + QString::number(windowNumber) };
}

ScreenshotError SystemScreenshotTool::mapFailure(const QString& stderrOutput, const ScreenCapturePermission& permission)
{
    const QString text = stderrOutput.toLower();
    const bool mentionsPermission = text.contains(QLatin1String("permission"))
        || text.contains(QLatin1String("not authorized")) || text.contains(QLatin1String("screen recording"));
    if (mentionsPermission || !permission.isGranted())
        return ScreenshotError(ScreenshotError::Code::permissionDenied);
    return ScreenshotError(ScreenshotError::Code::captureFailed);
}

QCoro::Task<QByteArray> SystemScreenshotTool::run(QStringList arguments)
{
    const TemporaryOutputFile output;
    arguments.append(output.path());

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    qCDebug(lcScreencapture, "Running screencapture %s", qUtf8Printable(arguments.join(QLatin1Char(' '))));

    process.start(m_executable, arguments);
    if (!co_await ProcessStart(process))
        throw PlatformError(process.errorString());
    if (!co_await qCoro(process).waitForFinished(m_timeout)) {
        process.kill();
        process.waitForFinished();
        qCWarning(
            lcScreencapture, "screencapture did not finish within %lld ms", static_cast<long long>(m_timeout.count()));
        throw ScreenshotError(ScreenshotError::Code::captureFailed);
    }

    const QString errorText = decodeUtf8OrEmpty(process.readAllStandardError());
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (status != 0) {
        qCCritical(
            lcScreencapture, "screencapture failed with status %d stderr: %s", status, qUtf8Printable(errorText));
        throw mapFailure(errorText, m_permission);
    }

    QByteArray bytes = readOutput(output.path());
    qCDebug(lcScreencapture, "Captured image payload size %ld", static_cast<long>(bytes.size()));
    co_return bytes;
}
