#include "ui/capture/AreaSelectionOverlay.h"

#include "ui/capture/AreaSelectionView.h"

#include <QCoro/QCoroSignal>

#include <memory>

QCoro::Task<std::optional<QRectF>> AreaSelectionOverlay::selectArea(FrozenScreen frozen)
{
    // Owned here, so the view outlives the wait for its finished() signal.
    const auto view = std::make_unique<AreaSelectionView>(frozen);
    view->present(frozen.screen);
    co_await qCoro(view.get(), &OverlayWindow::finished);
    // A copy: this QCoro version moves from whatever co_return names.
    co_return std::optional<QRectF>(view->result());
}
