#pragma once

#include "ports/Clock.h"

#include <QList>

// Waits return at once; the time moves on by the length of each wait.
class FakeClock : public Clock {
public:
    QDateTime current = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);
    QList<std::chrono::milliseconds> sleeps;

    QCoro::Task<> sleep(std::chrono::milliseconds duration) override
    {
        sleeps.append(duration);
        current = current.addMSecs(duration.count());
        co_return;
    }
    [[nodiscard]] QDateTime now() const override { return current; }
};
