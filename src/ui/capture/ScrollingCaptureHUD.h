#pragma once

#include "ports/ClickMonitorPort.h"
#include "ports/ScrollingCapturePanelsPort.h"

#include <QObject>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class ScrollingPanelWindow;

// The progress panel of an automatic scrolling capture. The user stops the run with its
// Finish button or, once the monitors are installed, with a click anywhere; the run reads
// isStopRequested() between steps, so the stop comes after the step in progress.
class ScrollingCaptureHUD : public QObject, public ScrollingCaptureHUDPort {
    Q_OBJECT
public:
    static constexpr QSize panelSize { 330, 168 };
    static inline const QString finishingAfterStep = QStringLiteral("Finishing after the current step...");
    static inline const QString finishingAfterClick = QStringLiteral("Finishing after your click...");

    // `clickMonitor` watches clicks outside this application; without one only clicks on our
    // own windows stop the run.
    // `decorator` (may be empty) gives the panel its desktop hints.
    ScrollingCaptureHUD(
        const Screen& screen, ClickMonitorPort* clickMonitor, std::function<void(QWidget&)> decorator = {});
    ~ScrollingCaptureHUD() override;

    void update(const ScrollingCaptureProgress& progress) override;
    void orderFrontRegardless() override;
    void orderOut() override;
    void installClickMonitors() override;
    void removeClickMonitors() override;
    [[nodiscard]] bool isStopRequested() const override { return m_isStopRequested; }

    // The model the panel shows.
    [[nodiscard]] const ScrollingCaptureProgress& model() const { return m_model; }
    [[nodiscard]] bool hasClickMonitors() const { return m_globalClickMonitor || m_localClickMonitor; }
    [[nodiscard]] QWidget* window() const;
    [[nodiscard]] QPushButton* finishButton() const { return m_finishButton; }

protected:
    // The local monitor: presses in our own windows, passed on untouched.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContent();
    void markStopRequested(const QString& detail);
    void showModel();

    ClickMonitorPort* m_clickMonitor;
    ScrollingCaptureProgress m_model;
    std::unique_ptr<ClickMonitorPort::Watch> m_globalClickMonitor;
    bool m_localClickMonitor = false;
    bool m_isStopRequested = false;
    std::unique_ptr<ScrollingPanelWindow> m_window;
    QLabel* m_title = nullptr;
    QLabel* m_detail = nullptr;
    QLabel* m_segmentCount = nullptr;
    QPushButton* m_finishButton = nullptr;
};
