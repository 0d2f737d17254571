#pragma once

#include <QByteArray>
#include <QCoro/QCoroTask>
#include <QStringList>

// A command-line screenshot tool: given its arguments, the PNG it wrote.
class ScreenshotToolPort {
public:
    virtual ~ScreenshotToolPort() = default;

    // Throws ScreenshotError, or PlatformError when the tool cannot be run or read.
    virtual QCoro::Task<QByteArray> run(QStringList arguments) = 0;
};
