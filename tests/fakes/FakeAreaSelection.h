#pragma once

#include "ports/AreaSelectionPort.h"

#include <QCoro/QCoroTimer>
#include <QList>

#include <functional>

// Answers every selection with `answer`. While `holding` is set the answer waits, so a test
// can act in the middle of a capture; `onSelect` looks at the world while the user would drag.
class FakeAreaSelection : public AreaSelectionPort {
public:
    std::optional<QRectF> answer;
    QList<Screen> screensOffered;
    QList<Screen> screensPrepared;
    std::function<void()> onSelect;
    bool holding = false;

    void prepare(const Screen& screen) override { screensPrepared.append(screen); }

    QCoro::Task<std::optional<QRectF>> selectArea(FrozenScreen frozen) override
    {
        screensOffered.append(frozen.screen);
        if (onSelect)
            onSelect();
        while (holding)
            co_await QCoro::sleepFor(std::chrono::milliseconds(1));
        // A copy: this QCoro version moves from whatever co_return names.
        co_return std::optional<QRectF>(answer);
    }
};
