#pragma once

#include "ports/WindowSelectionPort.h"

// Covers every screen with a WindowSelectionView of its picture for one pick at a time.
class WindowSelectionOverlay : public WindowSelectionPort {
public:
    QCoro::Task<std::optional<CapturableWindow>> selectWindow(
        QList<CapturableWindow> windows, QList<FrozenScreen> screens) override;
};
