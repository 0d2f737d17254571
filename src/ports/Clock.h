#pragma once

#include <QCoro/QCoroTask>
#include <QDateTime>

#include <chrono>

// Every timed wait of the workflows goes through here, so tests can run waits instantly
// and still check how long they were.
class Clock {
public:
    virtual ~Clock() = default;

    virtual QCoro::Task<> sleep(std::chrono::milliseconds duration) = 0;
    [[nodiscard]] virtual QDateTime now() const = 0;
};
