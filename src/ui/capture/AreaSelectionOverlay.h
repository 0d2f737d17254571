#pragma once

#include "ports/AreaSelectionPort.h"

#include <memory>

class AreaSelectionView;

// Covers the given screen with an AreaSelectionView for one selection at a time.
class AreaSelectionOverlay : public AreaSelectionPort {
public:
    AreaSelectionOverlay();
    ~AreaSelectionOverlay() override;

    void prepare(const Screen& screen) override;
    QCoro::Task<std::optional<QRectF>> selectArea(FrozenScreen frozen) override;

private:
    // The view readied while the screen settles, until a selection on its screen takes it.
    std::unique_ptr<AreaSelectionView> m_prepared;
    Screen m_preparedScreen;
};
