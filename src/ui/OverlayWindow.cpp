#include "ui/OverlayWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace {

// The keyboard can only be grabbed once the window is mapped; the window server maps it
// within a few event loop turns, so a second is far more than enough.
constexpr int grabAttempts = 50;
constexpr std::chrono::milliseconds grabRetryInterval { 20 };

// Qt's coordinates on X11 are root pixels divided by its device pixel ratio.
QRect logicalGeometry(const QRect& native)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double ratio = screen && screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
    if (ratio == 1.0)
        return native;
    return QRectF(native.x() / ratio, native.y() / ratio, native.width() / ratio, native.height() / ratio)
        .toAlignedRect();
}

} // namespace

OverlayWindow::OverlayWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint)
{
    // Above every panel of ours (the capture workflows leave these windows in place).
    setProperty("trovixWindowLevel", 1000);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_grabRetry.setInterval(grabRetryInterval);
    connect(&m_grabRetry, &QTimer::timeout, this, &OverlayWindow::grabKeyboardWhenMapped);
}

void OverlayWindow::present(const QRect& nativeGeometry)
{
    setGeometry(logicalGeometry(nativeGeometry));
    show();
    raise();
    // Without a window manager's help a bypassing window gets the keyboard only when asked.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    m_grabAttempts = 0;
    grabKeyboardWhenMapped();
}

void OverlayWindow::grabKeyboardWhenMapped()
{
    QWindow* window = windowHandle();
    if (window && window->isExposed() && window->setKeyboardGrabEnabled(true)) {
        m_grabRetry.stop();
        m_hasKeyboard = true;
        activateWindow();
        return;
    }
    if (++m_grabAttempts >= grabAttempts || m_finished) {
        m_grabRetry.stop();
        return;
    }
    if (!m_grabRetry.isActive())
        m_grabRetry.start();
}

void OverlayWindow::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    hide();
    Q_EMIT finished();
}

void OverlayWindow::hideEvent(QHideEvent* event)
{
    m_grabRetry.stop();
    if (QWindow* window = windowHandle(); window && m_hasKeyboard)
        window->setKeyboardGrabEnabled(false);
    m_hasKeyboard = false;
    QWidget::hideEvent(event);
}
