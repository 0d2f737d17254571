#pragma once

#include "ports/AreaSelectionPort.h"

// Covers the given screen with an AreaSelectionView for one selection at a time.
class AreaSelectionOverlay : public AreaSelectionPort {
public:
    QCoro::Task<std::optional<QRectF>> selectArea(FrozenScreen frozen) override;
};
