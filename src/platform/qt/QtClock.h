#pragma once

#include "ports/Clock.h"

// Real time: waits are timers on the calling thread's event loop.
class QtClock : public Clock {
public:
    QCoro::Task<> sleep(std::chrono::milliseconds duration) override;
    [[nodiscard]] QDateTime now() const override;
};
