#include "ui/capture/WindowSelectionOverlay.h"

#include "ui/capture/WindowSelectionView.h"

#include <QCoro/QCoroSignal>

#include <memory>
#include <vector>

QCoro::Task<std::optional<CapturableWindow>> WindowSelectionOverlay::selectWindow(
    QList<CapturableWindow> windows, QList<FrozenScreen> screens)
{
    if (windows.isEmpty() || screens.isEmpty())
        co_return std::nullopt;
    // One window per screen: a window spanning screens of different scales would be drawn at
    // one of them only.
    std::vector<std::unique_ptr<WindowSelectionView>> views;
    for (const FrozenScreen& frozen : screens)
        views.push_back(std::make_unique<WindowSelectionView>(windows, frozen));
    for (const auto& view : views) {
        QObject::connect(view.get(), &WindowSelectionView::hoveredWindowChanged, view.get(),
            [&views](std::optional<std::uint32_t> id) {
                for (const auto& other : views)
                    other->setHoveredWindowID(id);
            });
        // A pick or a cancel on one screen ends the pick on all of them.
        QObject::connect(view.get(), &OverlayWindow::finished, view.get(), [&views] {
            for (const auto& other : views)
                other->cancel();
        });
    }
    for (std::size_t index = 0; index < views.size(); ++index)
        views[index]->present(screens.at(qsizetype(index)).screen);
    co_await qCoro(views.front().get(), &OverlayWindow::finished);
    for (const auto& view : views) {
        if (view->result())
            co_return std::optional<CapturableWindow>(view->result());
    }
    co_return std::nullopt;
}
