#pragma once

#include "domain/Image.h"
#include "domain/ScreenCaptureSelection.h"
#include "domain/ScrollingCaptureAutomationError.h"
#include "ports/InputSynthesisPort.h"

#include <QCoro/QCoroTask>
#include <QList>

#include <algorithm>
#include <functional>

// A window of `viewportHeight` points onto a taller page, scrolled by the synthetic input it
// receives, and the shots of that window. Keys and the wheel can be made to do nothing, and
// a scroll can be made to show up only after some shots, like an animation still running.
class FakeScrollingPage : public InputSynthesisPort {
public:
    enum class Input { pageKey, wheel };
    struct SentInput {
        Input input;
        ScrollingCaptureDirection direction;
        friend bool operator==(const SentInput&, const SentInput&) = default;
    };

    FakeScrollingPage(QImage page, int viewportHeight, int pageKeyStep, int wheelStep = 720)
        : m_page(std::move(page))
        , m_viewportHeight(viewportHeight)
        , m_pageKeyStep(pageKeyStep)
        , m_wheelStep(wheelStep)
    { }

    // Scroll position: the page row at the top of the window.
    int offset = 0;
    bool keysScroll = true;
    bool wheelScrolls = true;
    // Shots taken after an input before the page shows its new position.
    int shotsBeforeSettled = 0;
    // Called before each shot; may throw to fail it.
    std::function<void()> beforeShot;
    QList<SentInput> inputs;
    int shots = 0;

    void pressPageKey(ScrollingCaptureDirection direction) override
    {
        send({ Input::pageKey, direction }, keysScroll ? m_pageKeyStep : 0);
    }
    void scrollWheelStep(ScrollingCaptureDirection direction) override
    {
        send({ Input::wheel, direction }, wheelScrolls ? m_wheelStep : 0);
    }

    QCoro::Task<Image> capture(ScreenCaptureSelection)
    {
        ++shots;
        if (beforeShot)
            beforeShot();
        int shown = offset;
        if (m_pendingShots > 0) {
            --m_pendingShots;
            shown = m_previousOffset + (offset - m_previousOffset) / 2;
        }
        co_return rows(shown);
    }

    [[nodiscard]] Image rows(int top) const { return Image(m_page.copy(0, top, m_page.width(), m_viewportHeight)); }
    [[nodiscard]] int lastOffset() const { return m_page.height() - m_viewportHeight; }
    [[nodiscard]] const QImage& page() const { return m_page; }

private:
    void send(SentInput input, int distance)
    {
        inputs.append(input);
        m_previousOffset = offset;
        const int signedDistance = input.direction == ScrollingCaptureDirection::down ? distance : -distance;
        offset = std::clamp(offset + signedDistance, 0, lastOffset());
        m_pendingShots = offset == m_previousOffset ? 0 : shotsBeforeSettled;
    }

    QImage m_page;
    int m_viewportHeight;
    int m_pageKeyStep;
    int m_wheelStep;
    int m_previousOffset = 0;
    int m_pendingShots = 0;
};
