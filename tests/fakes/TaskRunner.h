#pragma once

#include <QCoreApplication>
#include <QEventLoop>

#include <QCoro/QCoroTask>

#include <exception>
#include <optional>

// Coroutines awaiting processes and timers need an event loop; GoogleTest's own main
// makes no application object, so the first test that needs one creates it.
inline void ensureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "trovix-tests";
    static char* argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
}

namespace TaskRunner::detail {

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

inline QCoro::Task<> complete(QCoro::Task<> task, std::exception_ptr& error, bool& done, QEventLoop& loop)
{
    try {
        co_await std::move(task);
    } catch (...) {
        error = std::current_exception();
    }
    done = true;
    loop.quit();
}

// Objects the task handed to deleteLater() (network replies) would otherwise outlive the
// test: no outer event loop runs after the nested one ends.
inline void deleteDeferred()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace TaskRunner::detail

// Runs a task to its end in a nested event loop and returns its value or rethrows its
// exception. (QCoro::waitFor of this QCoro version never returns when the task throws.)
template <typename T> T runToCompletion(QCoro::Task<T> task)
{
    ensureCoreApplication();
    QEventLoop loop;
    std::exception_ptr error;
    bool done = false;
    if constexpr (std::is_void_v<T>) {
        auto runner = TaskRunner::detail::complete(std::move(task), error, done, loop);
        if (!done)
            loop.exec();
        TaskRunner::detail::deleteDeferred();
        if (error)
            std::rethrow_exception(error);
    } else {
        std::optional<T> result;
        auto runner = TaskRunner::detail::complete(std::move(task), result, error, done, loop);
        if (!done)
            loop.exec();
        TaskRunner::detail::deleteDeferred();
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}
