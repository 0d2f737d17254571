#include "ui/pinned/PinnedImageWindowController.h"

#include "ui/pinned/PinnedImageView.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// The primary screen's work area in points, or the largest window X11 allows without a screen.
QRectF workArea(const QScreen* screen)
{
    const double density = screen ? screen->devicePixelRatio() : 1.0;
    const double largest = PinnedImageWindowController::largestWindowSide / density;
    const QRectF area = screen ? QRectF(screen->availableGeometry()) : QRectF(0, 0, largest, largest);
    return { area.topLeft(), QSizeF(std::min(area.width(), largest), std::min(area.height(), largest)) };
}

} // namespace

QSizeF PinnedImageWindowController::windowSize(QSizeF imageSize, QSizeF available)
{
    QSizeF size = imageSize;
    if (size.width() > available.width() || size.height() > available.height())
        size.scale(available, Qt::KeepAspectRatio);
    const QSizeF floor = minimumSize.boundedTo(available);
    return { std::min(std::max(size.width(), floor.width()), available.width()),
        std::min(std::max(size.height(), floor.height()), available.height()) };
}

void PinnedImageWindowController::pin(const Image& image)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRectF area = workArea(screen);
    auto window = std::make_unique<PinnedImageView>(image);
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setWindowTitle(QStringLiteral("Pinned"));
    window->setMinimumSize(minimumSize.toSize());
    window->setMaximumSize(area.size().toSize());
    const QSize size = windowSize(image.size(), area.size()).toSize();
    window->resize(size);

    // The offset is measured from the bottom-left corner; Qt places windows by their top-left.
    // A window larger than the space beside the offset moves to stay on the screen.
    if (screen) {
        const QRect geometry = screen->geometry();
        const int left = geometry.left() + int(bottomLeftOffset.x());
        const int top = geometry.top() + geometry.height() - int(bottomLeftOffset.y()) - size.height();
        window->move(std::max(int(area.left()), std::min(left, int(area.right()) - size.width())),
            std::max(int(area.top()), top));
    }
    QObject::connect(
        window.get(), &PinnedImageView::closed, window.get(), [this, view = window.get()] { release(view); });
    if (m_decorator)
        m_decorator(*window);
    window->show();
    window->raise();
    window->activateWindow();
    m_windows.push_back(std::move(window));
}

void PinnedImageWindowController::release(QWidget* window)
{
    const auto found = std::ranges::find_if(m_windows, [window](const auto& owned) { return owned.get() == window; });
    if (found == m_windows.end())
        return;
    // The window is still inside its own close handling: delete it once that returns.
    found->release()->deleteLater();
    m_windows.erase(found);
}
