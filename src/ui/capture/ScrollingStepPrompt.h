#pragma once

#include "ports/ScrollingCapturePanelsPort.h"

#include <QObject>

#include <coroutine>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class ScrollingPanelWindow;

// The step prompt of a manual scrolling capture: after each shot it asks whether to capture
// the next segment, finish or cancel. It appears without taking the focus, so the user can go
// on scrolling the target with the keyboard; a click on it gives it the focus, and Return then
// means "Capture Next". Closing it cancels.
class ScrollingStepPrompt : public QObject, public ScrollingCapturePromptPort {
    Q_OBJECT
public:
    static constexpr QSize panelSize { 360, 180 };

    // `decorator` (may be empty) gives the panel its desktop hints.
    explicit ScrollingStepPrompt(std::function<void(QWidget&)> decorator = {});
    ~ScrollingStepPrompt() override;

    QCoro::Task<ScrollingCaptureDecision> present(
        int step, ScrollingCaptureDirection direction, Screen screen) override;
    void orderOut() override;
    // Hides the prompt and hands the decision to the caller of present(), if one waits.
    void resolve(ScrollingCaptureDecision decision);

    [[nodiscard]] QWidget* window() const;
    [[nodiscard]] QPushButton* captureButton() const { return m_captureButton; }
    [[nodiscard]] QPushButton* finishButton() const { return m_finishButton; }
    [[nodiscard]] QPushButton* cancelButton() const { return m_cancelButton; }
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString instruction() const;
    [[nodiscard]] QString stepText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DecisionAwaiter;

    void buildContent();
    void showTexts(int step, ScrollingCaptureDirection direction);

    std::unique_ptr<ScrollingPanelWindow> m_window;
    QLabel* m_title = nullptr;
    QLabel* m_instruction = nullptr;
    QLabel* m_step = nullptr;
    QPushButton* m_captureButton = nullptr;
    QPushButton* m_finishButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    // The caller of present() waiting for a decision; none when nobody waits.
    std::coroutine_handle<> m_continuation;
    ScrollingCaptureDecision m_decision = ScrollingCaptureDecision::cancel;
};
