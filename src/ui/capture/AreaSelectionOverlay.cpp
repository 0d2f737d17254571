#include "ui/capture/AreaSelectionOverlay.h"

#include "ui/capture/AreaSelectionView.h"

#include <QCoro/QCoroSignal>
#include <QTimer>

namespace {

// Far longer than the settling pause and the picture that follow it: a view still unused
// by then belongs to a capture that failed, and its screen-sized buffer is let go.
constexpr std::chrono::seconds preparedLifetime { 10 };

} // namespace

AreaSelectionOverlay::AreaSelectionOverlay() = default;
AreaSelectionOverlay::~AreaSelectionOverlay() = default;

void AreaSelectionOverlay::prepare(const Screen& screen)
{
    m_prepared = std::make_unique<AreaSelectionView>(screen);
    m_preparedScreen = screen;
    m_prepared->prepare(screen);
    AreaSelectionView* view = m_prepared.get();
    QTimer::singleShot(preparedLifetime, view, [this, view] {
        if (m_prepared.get() == view)
            m_prepared.release()->deleteLater();
    });
}

QCoro::Task<std::optional<QRectF>> AreaSelectionOverlay::selectArea(FrozenScreen frozen)
{
    // Owned here, so the view outlives the wait for its finished() signal.
    std::unique_ptr<AreaSelectionView> view = std::move(m_prepared);
    if (!view || m_preparedScreen != frozen.screen)
        view = std::make_unique<AreaSelectionView>(frozen.screen);
    view->setPicture(frozen.picture);
    view->present(frozen.screen);
    co_await qCoro(view.get(), &OverlayWindow::finished);
    // A copy: this QCoro version moves from whatever co_return names.
    co_return std::optional<QRectF>(view->result());
}
