#pragma once

// Driving the test X server like a user: xdotool moves the real pointer and presses real
// keys, other programs (xclip, xwininfo) run, while our event loop keeps turning. Every wait
// is bounded, so a broken window fails the test instead of hanging it.

#include "ui/capture/OverlayWindow.h"

#include <QApplication>
#include <QCoro/QCoroTask>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace XDriving {

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

struct ProcessRun {
    bool succeeded = false;
    QByteArray output;
};

// Runs a program to its end while our event loop answers what it asks of us (a paste, a
// key grab); killed when it takes too long.
inline ProcessRun run(const QString& program, const QStringList& arguments, int timeoutMs = 10000)
{
    QProcess process;
    process.start(program, arguments);
    if (!waitUntil([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return { process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, process.readAllStandardOutput() };
}

inline bool xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments).succeeded;
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

// A task's end, its value or its error, kept apart from the task (shared), so that a test
// that gives up waiting leaves nothing dangling.
template <typename T> struct Outcome {
    bool done = false;
    std::optional<T> value;
    std::exception_ptr error;
};

namespace detail {
template <typename T> QCoro::Task<> collect(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> outcome)
{
    try {
        outcome->value.emplace(co_await std::move(task));
    } catch (...) {
        outcome->error = std::current_exception();
    }
    outcome->done = true;
}
inline QCoro::Task<bool> toBool(QCoro::Task<> task)
{
    co_await std::move(task);
    co_return true;
}
} // namespace detail

// Lets a task run on; the outcome fills in when it ends.
template <typename T> std::shared_ptr<Outcome<T>> start(QCoro::Task<T> task)
{
    auto outcome = std::make_shared<Outcome<T>>();
    detail::collect(std::move(task), outcome);
    return outcome;
}

inline std::shared_ptr<Outcome<bool>> startVoid(QCoro::Task<> task)
{
    return start(detail::toBool(std::move(task)));
}

// Runs the task with the event loop turning; none when it does not end in time.
template <typename T> std::optional<T> runFor(QCoro::Task<T> task, int timeoutMs = 120000)
{
    const auto outcome = start(std::move(task));
    if (!waitUntil([&] { return outcome->done; }, timeoutMs)) {
        ADD_FAILURE() << "the task did not end within " << timeoutMs << " ms";
        return std::nullopt;
    }
    if (outcome->error)
        std::rethrow_exception(outcome->error);
    return std::move(outcome->value);
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

inline QStringList moveTo(QPoint root)
{
    return QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(root);
}

inline QStringList clickAt(QPoint root)
{
    return moveTo(root) + QStringList { QStringLiteral("click"), QStringLiteral("1") };
}

// A left-button drag through a middle point, so the overlay sees movement with the button down.
inline QStringList dragArguments(QPoint from, QPoint to)
{
    const QStringList pause { QStringLiteral("sleep"), QStringLiteral("0.05") };
    const QPoint middle((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
    return moveTo(from) + pause + QStringList { QStringLiteral("mousedown"), QStringLiteral("1") } + pause
        + moveTo(middle) + pause + moveTo(to) + pause + QStringList { QStringLiteral("mouseup"), QStringLiteral("1") };
}

// Passes when two pictures agree pixel for pixel (alpha aside); otherwise says where they part.
inline testing::AssertionResult samePicture(const QImage& actualImage, const QImage& expectedImage)
{
    const QImage actual = actualImage.convertToFormat(QImage::Format_RGB32);
    const QImage expected = expectedImage.convertToFormat(QImage::Format_RGB32);
    if (actual.width() != expected.width())
        return testing::AssertionFailure() << "width " << actual.width() << ", expected " << expected.width();
    for (int y = 0; y < std::min(actual.height(), expected.height()); ++y) {
        if (std::memcmp(actual.constScanLine(y), expected.constScanLine(y), std::size_t(actual.width()) * 4) != 0)
            return testing::AssertionFailure()
                << "row " << y << " differs (heights " << actual.height() << " and " << expected.height() << ")";
    }
    if (actual.height() != expected.height())
        return testing::AssertionFailure() << "height " << actual.height() << ", expected " << expected.height();
    return testing::AssertionSuccess();
}

} // namespace XDriving
