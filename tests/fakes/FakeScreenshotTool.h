#pragma once

#include "ports/ScreenshotToolPort.h"

#include <QList>

#include <exception>
#include <functional>

// Answers every run with `output`, or throws what `failure` makes; remembers the arguments.
class FakeScreenshotTool : public ScreenshotToolPort {
public:
    QByteArray output;
    std::function<void()> failure;
    QList<QStringList> runs;

    QCoro::Task<QByteArray> run(QStringList arguments) override
    {
        runs.append(arguments);
        if (failure)
            failure();
        // A copy: this QCoro version moves from whatever co_return names.
        co_return QByteArray(output);
    }
};
