#pragma once

#include <QEventLoop>

#include <QCoro/QCoroTask>

#include <exception>
#include <optional>
#include <utility>

namespace TaskCompletion::detail {

template <typename T>
QCoro::Task<> complete(
    QCoro::Task<T> task, std::optional<T>& result, std::exception_ptr& error, bool& done, QEventLoop& loop)
{
    try {
        result.emplace(co_await std::move(task));
    } catch (...) {
        error = std::current_exception();
    }
    done = true;
    loop.quit();
}

} // namespace TaskCompletion::detail

// Drives a coroutine that awaits processes or timers to its end in a nested event loop and
// returns its value or rethrows its exception; the benchmark's QApplication must exist.
template <typename T> T runToCompletion(QCoro::Task<T> task)
{
    QEventLoop loop;
    std::optional<T> result;
    std::exception_ptr error;
    bool done = false;
    auto runner = TaskCompletion::detail::complete(std::move(task), result, error, done, loop);
    if (!done)
        loop.exec();
    if (error)
        std::rethrow_exception(error);
    return std::move(*result);
}
