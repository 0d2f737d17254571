#pragma once

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>

// Polls until the condition holds or the time runs out; the event loop keeps running, so
// the program under test and its signals move on meanwhile.
inline bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return condition();
}
