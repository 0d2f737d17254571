#include "platform/qt/QtClock.h"

#include <QCoro/QCoroTimer>

QCoro::Task<> QtClock::sleep(std::chrono::milliseconds duration)
{
    co_await QCoro::sleepFor(duration);
}

QDateTime QtClock::now() const
{
    return QDateTime::currentDateTime();
}
