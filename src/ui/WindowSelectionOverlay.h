#pragma once

#include "ports/WindowSelectionPort.h"

class ScreensPort;

// Covers every screen with one WindowSelectionView for one pick at a time.
class WindowSelectionOverlay : public WindowSelectionPort {
public:
    explicit WindowSelectionOverlay(const ScreensPort& screens);

    QCoro::Task<std::optional<CapturableWindow>> selectWindow(QList<CapturableWindow> windows) override;

private:
    const ScreensPort& m_screens;
};
