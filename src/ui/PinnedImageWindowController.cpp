#include "ui/PinnedImageWindowController.h"

#include "ui/PinnedImageView.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

QSizeF PinnedImageWindowController::windowSize(QSizeF imageSize)
{
    return { std::max(imageSize.width(), minimumSize.width()), std::max(imageSize.height(), minimumSize.height()) };
}

void PinnedImageWindowController::pin(const Image& image)
{
    auto window = std::make_unique<PinnedImageView>(image);
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setWindowTitle(QStringLiteral("Pinned"));
    window->setMinimumSize(minimumSize.toSize());
    const QSize size = windowSize(image.size()).toSize();
    window->resize(size);

    // The offset is measured from the bottom-left corner; Qt places windows by their top-left.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.left() + int(bottomLeftOffset.x()),
            area.top() + area.height() - int(bottomLeftOffset.y()) - size.height());
    }
    if (m_decorator)
        m_decorator(*window);
    window->show();
    window->raise();
    window->activateWindow();
    m_windows.push_back(std::move(window));
}
