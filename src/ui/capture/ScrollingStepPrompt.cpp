#include "ui/capture/ScrollingStepPrompt.h"

#include "ui/capture/ScrollingPanelWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

struct PromptTexts {
    QString title;
    QString instruction;
    QString captureTitle;
};

PromptTexts textsFor(ScrollingCaptureDirection direction)
{
    if (direction == ScrollingCaptureDirection::down)
        return { QStringLiteral("Scrolling Capture"),
            QStringLiteral("Scroll down by one viewport, then capture the next segment. Trovix will auto-trim "
                           "overlaps."),
            QStringLiteral("Capture Next") };
    return { QStringLiteral("Scrolling Capture (Up)"),
        QStringLiteral("Scroll up by one viewport, then capture the next segment. Trovix will auto-trim overlaps."),
        QStringLiteral("Capture Previous") };
}

} // namespace

class ScrollingStepPrompt::DecisionAwaiter {
public:
    explicit DecisionAwaiter(ScrollingStepPrompt& prompt)
        : m_prompt(prompt)
    { }
    [[nodiscard]] bool await_ready() const noexcept { return false; }
    void await_suspend(std::coroutine_handle<> waiting) noexcept { m_prompt.m_continuation = waiting; }
    [[nodiscard]] ScrollingCaptureDecision await_resume() const noexcept { return m_prompt.m_decision; }

private:
    ScrollingStepPrompt& m_prompt;
};

ScrollingStepPrompt::ScrollingStepPrompt(std::function<void(QWidget&)> decorator)
    : m_window(std::make_unique<ScrollingPanelWindow>(panelSize, true, std::move(decorator)))
{
    m_window->setWindowTitle(QStringLiteral("Scrolling Capture"));
    buildContent();
    m_window->installEventFilter(this);
}

ScrollingStepPrompt::~ScrollingStepPrompt()
{
    m_window->removeEventFilter(this);
}

QWidget* ScrollingStepPrompt::window() const
{
    return m_window.get();
}

void ScrollingStepPrompt::buildContent()
{
    auto* layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(ScrollingPanelWindow::makeBadge(m_window.get()), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_title = ScrollingPanelWindow::makeLabel(QString(), 18, QFont::DemiBold, false);
    texts->addWidget(m_title);
    texts->addWidget(ScrollingPanelWindow::makeLabel(QStringLiteral("Manual continuation"), 12, QFont::DemiBold, true));
    header->addLayout(texts, 1);
    layout->addLayout(header);

    m_instruction = ScrollingPanelWindow::makeLabel(QString(), 13, QFont::Medium, true);
    layout->addWidget(m_instruction);

    auto* row = new QHBoxLayout;
    m_step = ScrollingPanelWindow::makeCapsule(12);
    row->addWidget(m_step);
    row->addStretch(1);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    m_finishButton = new QPushButton(QStringLiteral("Finish"));
    m_captureButton = new QPushButton;
    m_captureButton->setDefault(true);
    for (QPushButton* button : { m_cancelButton, m_finishButton, m_captureButton }) {
        // Return must mean the capture button, whichever button was clicked last.
        button->setFocusPolicy(Qt::NoFocus);
        row->addWidget(button);
    }
    layout->addLayout(row);
    // Outside a dialog a default button does not answer Return by itself.
    for (const QKeySequence& key : { QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter) }) {
        auto* shortcut = new QShortcut(key, m_window.get());
        connect(shortcut, &QShortcut::activated, m_captureButton, &QPushButton::click);
    }

    // The panel may outlive neither the prompt nor a pending decision, so callbacks hold a guard.
    const QPointer<ScrollingStepPrompt> self(this);
    connect(m_captureButton, &QPushButton::clicked, this, [self] {
        if (self)
            self->resolve(ScrollingCaptureDecision::captureNext);
    });
    connect(m_finishButton, &QPushButton::clicked, this, [self] {
        if (self)
            self->resolve(ScrollingCaptureDecision::finish);
    });
    connect(m_cancelButton, &QPushButton::clicked, this, [self] {
        if (self)
            self->resolve(ScrollingCaptureDecision::cancel);
    });
}

void ScrollingStepPrompt::showTexts(int step, ScrollingCaptureDirection direction)
{
    const PromptTexts texts = textsFor(direction);
    m_title->setText(texts.title);
    m_instruction->setText(texts.instruction);
    m_captureButton->setText(texts.captureTitle);
    m_step->setText(QStringLiteral("Segment %1").arg(step));
}

QString ScrollingStepPrompt::title() const
{
    return m_title->text();
}

QString ScrollingStepPrompt::instruction() const
{
    return m_instruction->text();
}

QString ScrollingStepPrompt::stepText() const
{
    return m_step->text();
}

QCoro::Task<ScrollingCaptureDecision> ScrollingStepPrompt::present(
    int step, ScrollingCaptureDirection direction, Screen screen)
{
    // A caller still waiting from an earlier present() gets a cancel instead of waiting forever.
    if (m_continuation)
        resolve(ScrollingCaptureDecision::cancel);
    showTexts(step, direction);
    m_window->fitContent();
    m_window->placeOn(screen);
    m_window->orderFrontRegardless();
    co_return co_await DecisionAwaiter(*this);
}

void ScrollingStepPrompt::orderOut()
{
    m_window->hide();
}

void ScrollingStepPrompt::resolve(ScrollingCaptureDecision decision)
{
    orderOut();
    const std::coroutine_handle<> waiting = std::exchange(m_continuation, {});
    if (!waiting)
        return;
    m_decision = decision;
    // Resumed from the event loop rather than inside the button's signal: the waiting workflow
    // may go on to destroy this prompt.
    QTimer::singleShot(0, [waiting] { waiting.resume(); });
}

bool ScrollingStepPrompt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window.get() && event->type() == QEvent::Close) {
        // Closing counts as cancel; the panel is only hidden, the prompt may be presented again.
        event->ignore();
        resolve(ScrollingCaptureDecision::cancel);
        return true;
    }
    return false;
}
