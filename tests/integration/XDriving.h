#pragma once

// Driving the selection overlays like a user: xdotool moves the real pointer and presses
// real keys on the X server while our event loop keeps running. Every wait is bounded, so a
// broken overlay fails the test instead of hanging it.

#include "ui/OverlayWindow.h"

#include <QApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace OverlayDriving {

inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

// Keeps the event loop turning for a while.
inline void pump(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    waitUntil([&] { return timer.elapsed() >= milliseconds; }, milliseconds + 1000);
}

// Runs one xdotool command line to its end; false when it fails or takes too long.
inline bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool finished = waitUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
    if (!finished) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The overlay on screen, once it has the keyboard.
template <typename View> View* readyOverlay()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* view = qobject_cast<View*>(widget);
        if (view && view->isVisible() && view->hasKeyboard())
            return view;
    }
    return nullptr;
}

template <typename View> View* waitForOverlay()
{
    View* found = nullptr;
    waitUntil([&] { return (found = readyOverlay<View>()) != nullptr; });
    return found;
}

template <typename T> struct Outcome {
    bool done = false;
    std::optional<T> value;
};

namespace detail {
template <typename T> QCoro::Task<> collect(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> outcome)
{
    outcome->value.emplace(co_await std::move(task));
    outcome->done = true;
}
inline QCoro::Task<> collectVoid(QCoro::Task<> task, std::shared_ptr<Outcome<bool>> outcome)
{
    co_await std::move(task);
    outcome->value = true;
    outcome->done = true;
}
} // namespace detail

// Lets a task run on; the outcome fills in when it ends (shared, so an abandoned task is safe).
template <typename T> std::shared_ptr<Outcome<T>> start(QCoro::Task<T> task)
{
    auto outcome = std::make_shared<Outcome<T>>();
    detail::collect(std::move(task), outcome);
    return outcome;
}

inline std::shared_ptr<Outcome<bool>> startVoid(QCoro::Task<> task)
{
    auto outcome = std::make_shared<Outcome<bool>>();
    detail::collectVoid(std::move(task), outcome);
    return outcome;
}

// A test that failed half-way must not leave an overlay holding the keyboard.
template <typename T> bool finishOrEscape(const std::shared_ptr<Outcome<T>>& outcome, int timeoutMs = 5000)
{
    if (waitUntil([&] { return outcome->done; }, timeoutMs))
        return true;
    xdotool({ QStringLiteral("key"), QStringLiteral("Escape") });
    waitUntil([&] { return outcome->done; }, 2000);
    return false;
}

// "x y" arguments of xdotool for a root pixel.
inline QStringList at(QPoint root)
{
    return { QString::number(root.x()), QString::number(root.y()) };
}

// A left-button drag through a middle point, so the overlay sees movement with the button down.
inline QStringList dragArguments(QPoint from, QPoint to)
{
    const QPoint middle((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
    return QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(from)
        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("mousedown"),
              QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("mousemove"),
              QStringLiteral("--sync") }
    + at(middle)
        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("mousemove"),
              QStringLiteral("--sync") }
    + at(to)
        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("mouseup"),
              QStringLiteral("1") };
}

} // namespace OverlayDriving
