#pragma once

#include "ports/ScrollingCapturePanelsPort.h"

#include <QList>
#include <QStringList>

// Records what the workflow does with its panels. Every HUD and prompt it makes writes to the
// lists here, so they can be read after the workflow has destroyed the panels. The HUD's
// calls are logged as "front", "out", "install" and "remove"; prompts answer from
// `decisions` in order and cancel once those run out.
class FakeScrollingPanels : public ScrollingCapturePanelsPort {
public:
    QStringList hudCalls;
    bool stopRequested = false;

    QList<ScrollingCaptureDecision> decisions;
    QList<int> promptSteps;
    int livePrompts = 0;

    std::unique_ptr<ScrollingCaptureHUDPort> makeHUD(const Screen&) override { return std::make_unique<HUD>(*this); }
    std::unique_ptr<ScrollingCapturePromptPort> makePrompt() override { return std::make_unique<Prompt>(*this); }

private:
    class HUD : public ScrollingCaptureHUDPort {
    public:
        explicit HUD(FakeScrollingPanels& panels)
            : m_panels(panels)
        { }
        void update(const ScrollingCaptureProgress&) override { }
        void orderFrontRegardless() override { m_panels.hudCalls.append(QStringLiteral("front")); }
        void orderOut() override { m_panels.hudCalls.append(QStringLiteral("out")); }
        void installClickMonitors() override { m_panels.hudCalls.append(QStringLiteral("install")); }
        void removeClickMonitors() override { m_panels.hudCalls.append(QStringLiteral("remove")); }
        bool isStopRequested() const override { return m_panels.stopRequested; }

    private:
        FakeScrollingPanels& m_panels;
    };

    class Prompt : public ScrollingCapturePromptPort {
    public:
        explicit Prompt(FakeScrollingPanels& panels)
            : m_panels(panels)
        {
            ++m_panels.livePrompts;
        }
        ~Prompt() override { --m_panels.livePrompts; }
        QCoro::Task<ScrollingCaptureDecision> present(int step, ScrollingCaptureDirection, Screen) override
        {
            m_panels.promptSteps.append(step);
            co_return m_panels.decisions.isEmpty() ? ScrollingCaptureDecision::cancel : m_panels.decisions.takeFirst();
        }
        void orderOut() override { }

    private:
        FakeScrollingPanels& m_panels;
    };
};
