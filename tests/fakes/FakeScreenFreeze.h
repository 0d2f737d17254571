#pragma once

#include "ports/ScreenFreezePort.h"

#include <QList>

#include <functional>

// Pictures every screen with `picture`; remembers
// which screens it was asked for and prepared. `failure` throws instead.
class FakeScreenFreeze : public ScreenFreezePort {
public:
    Image picture;
    std::function<void()> failure;
    QList<QList<Screen>> requests;
    QList<QList<Screen>> preparations;
    // How many preparations had been made when the last freeze came.
    qsizetype preparedBeforeFreeze = 0;

    void prepare(const QList<Screen>& screens) override { preparations.append(screens); }

    QCoro::Task<QList<FrozenScreen>> freeze(QList<Screen> screens) override
    {
        requests.append(screens);
        preparedBeforeFreeze = preparations.size();
        if (failure)
            failure();
        QList<FrozenScreen> frozen;
        for (const Screen& screen : screens)
            frozen.append({ screen, picture });
        co_return frozen;
    }
};
