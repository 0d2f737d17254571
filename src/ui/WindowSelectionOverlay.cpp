#include "ui/WindowSelectionOverlay.h"

#include "engine/WindowSelectionGeometry.h"
#include "ports/ScreensPort.h"
#include "ui/WindowSelectionView.h"

#include <QCoro/QCoroSignal>

#include <memory>

WindowSelectionOverlay::WindowSelectionOverlay(const ScreensPort& screens)
    : m_screens(screens)
{ }

QCoro::Task<std::optional<CapturableWindow>> WindowSelectionOverlay::selectWindow(QList<CapturableWindow> windows)
{
    if (windows.isEmpty())
        co_return std::nullopt;
    QList<QRectF> frames;
    QRect nativeGeometry;
    for (const Screen& screen : m_screens.screens()) {
        frames.append(screen.frame);
        nativeGeometry = nativeGeometry.united(screen.nativeGeometry);
    }
    if (frames.isEmpty())
        co_return std::nullopt;
    const auto view = std::make_unique<WindowSelectionView>(windows, WindowSelectionGeometry::overlayFrame(frames));
    view->present(nativeGeometry);
    co_await qCoro(view.get(), &OverlayWindow::finished);
    // A copy: this QCoro version moves from whatever co_return names.
    co_return std::optional<CapturableWindow>(view->result());
}
