#pragma once

#include "domain/ScreenshotError.h"
#include "ports/ScreenshotToolPort.h"

#include <QLoggingCategory>
#include <QString>

#include <chrono>
#include <cstdint>

class ScreenCapturePermission;

Q_DECLARE_LOGGING_CATEGORY(lcScreencapture)

// Captures by running the command-line screenshot tool as a child process that writes a
// PNG into a temporary file, and hands back the file's bytes.
class SystemScreenshotTool : public ScreenshotToolPort {
public:
    SystemScreenshotTool(QString executable, ScreenCapturePermission& permission);

    // trovix-screencapture beside this program (a build folder), else in the installed
    // libexec folder, else the system's own tool where it exists.
    [[nodiscard]] static QString defaultExecutable();
    [[nodiscard]] static QStringList argumentsForWindowCapture(std::uint32_t windowNumber);
    [[nodiscard]] static ScreenshotError mapFailure(
        const QString& stderrOutput, const ScreenCapturePermission& permission);

    // Throws ScreenshotError when the tool fails, PlatformError when it cannot be started or
    // its output cannot be read. The temporary file is gone afterwards in every case.
    QCoro::Task<QByteArray> run(QStringList arguments) override;

    [[nodiscard]] const QString& executable() const { return m_executable; }
    // A tool that hangs would block every later capture; past this it is killed.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

private:
    QString m_executable;
    ScreenCapturePermission& m_permission;
    std::chrono::milliseconds m_timeout { 20000 };
};
