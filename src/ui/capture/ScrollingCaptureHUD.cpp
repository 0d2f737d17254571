#include "ui/capture/ScrollingCaptureHUD.h"

#include "ui/capture/ScrollingPanelWindow.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ScrollingCaptureHUD::ScrollingCaptureHUD(
    const Screen& screen, ClickMonitorPort* clickMonitor, std::function<void(QWidget&)> decorator)
    : m_clickMonitor(clickMonitor)
    , m_model { QStringLiteral("Scrolling Capture"), QStringLiteral("Preparing capture..."), 0 }
    , m_window(std::make_unique<ScrollingPanelWindow>(panelSize, false, std::move(decorator)))
{
    m_window->setWindowTitle(QStringLiteral("Scrolling Capture"));
    buildContent();
    showModel();
    m_window->placeOn(screen);
}

ScrollingCaptureHUD::~ScrollingCaptureHUD()
{
    removeClickMonitors();
}

QWidget* ScrollingCaptureHUD::window() const
{
    return m_window.get();
}

void ScrollingCaptureHUD::buildContent()
{
    auto* layout = new QVBoxLayout(m_window.get());
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(ScrollingPanelWindow::makeBadge(m_window.get()), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_title = ScrollingPanelWindow::makeLabel(QString(), 17, QFont::DemiBold, false);
    m_detail = ScrollingPanelWindow::makeLabel(QString(), 12, QFont::Medium, true);
    texts->addWidget(m_title);
    texts->addWidget(m_detail);
    header->addLayout(texts, 1);
    layout->addLayout(header);

    auto* row = new QHBoxLayout;
    auto* busy = new QProgressBar;
    // No range: an indicator that the run is busy, not a measure of how far it got.
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedSize(48, 8);
    row->addWidget(busy);
    m_segmentCount = ScrollingPanelWindow::makeCapsule(12);
    row->addWidget(m_segmentCount);
    row->addStretch(1);
    m_finishButton = new QPushButton(QStringLiteral("Finish"));
    m_finishButton->setDefault(true);
    m_finishButton->setFocusPolicy(Qt::NoFocus);
    connect(m_finishButton, &QPushButton::clicked, this, [this] { markStopRequested(finishingAfterStep); });
    row->addWidget(m_finishButton);
    layout->addLayout(row);

    layout->addWidget(ScrollingPanelWindow::makeLabel(
        QStringLiteral("Click anywhere to stop and keep the current stitched result."), 11, QFont::Medium, true));
}

void ScrollingCaptureHUD::showModel()
{
    m_title->setText(m_model.title);
    m_detail->setText(m_model.detail);
    m_segmentCount->setText(QStringLiteral("\u25A4 %1").arg(m_model.segmentCount));
    m_window->fitContent();
}

void ScrollingCaptureHUD::update(const ScrollingCaptureProgress& progress)
{
    m_model = progress;
    showModel();
}

void ScrollingCaptureHUD::orderFrontRegardless()
{
    m_window->orderFrontRegardless();
}

void ScrollingCaptureHUD::orderOut()
{
    m_window->hide();
}

void ScrollingCaptureHUD::markStopRequested(const QString& detail)
{
    if (m_isStopRequested)
        return;
    m_isStopRequested = true;
    m_model.detail = detail;
    showModel();
}

void ScrollingCaptureHUD::installClickMonitors()
{
    if (!m_globalClickMonitor && m_clickMonitor)
        m_globalClickMonitor = m_clickMonitor->watchClicks([this] { markStopRequested(finishingAfterClick); });
    if (!m_localClickMonitor) {
        qApp->installEventFilter(this);
        m_localClickMonitor = true;
    }
}

void ScrollingCaptureHUD::removeClickMonitors()
{
    m_globalClickMonitor.reset();
    if (m_localClickMonitor) {
        qApp->removeEventFilter(this);
        m_localClickMonitor = false;
    }
}

bool ScrollingCaptureHUD::eventFilter(QObject* watched, QEvent* event)
{
    // A press reaches the top-level QWindow once before it travels through the widgets.
    if (event->type() == QEvent::MouseButtonPress && watched->isWindowType())
        markStopRequested(finishingAfterClick);
    return false;
}
