#include "ui/capture/OverlayWindow.h"

#include "engine/ScreenCaptureGeometry.h"

#include <QBackingStore>
#include <QImage>
#include <QWindow>

#include <cstring>

namespace {

// The keyboard can only be grabbed once the window is mapped; the window server maps it
// within a few event loop turns, so a second is far more than enough.
constexpr int grabAttempts = 50;
constexpr std::chrono::milliseconds grabRetryInterval { 20 };

} // namespace

OverlayWindow::OverlayWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint)
{
    // Above every panel of ours (the capture workflows leave these windows in place).
    setProperty("trovixWindowLevel", 1000);
    // Opaque: the overlays paint a picture of the screen, so no compositor is needed to see
    // through them. Every paint covers the whole window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_grabRetry.setInterval(grabRetryInterval);
    connect(&m_grabRetry, &QTimer::timeout, this, &OverlayWindow::grabKeyboardWhenMapped);
}

OverlayWindow::~OverlayWindow()
{
    if (m_readying.valid())
        m_readying.wait();
}

void OverlayWindow::placeOn(const Screen& screen)
{
    // The toolkit places a window in the logical space of the screen it lands on.
    const QRectF logical = ScreenCaptureGeometry::logicalRectFromRoot(
        QRectF(screen.nativeGeometry), screen.nativeGeometry, screen.scaleFactor);
    setGeometry(logical.toAlignedRect());
}

void OverlayWindow::prepare(const Screen& screen)
{
    placeOn(screen);
    create();
    QBackingStore* store = backingStore();
    if (!store)
        return;
    // The size the first paint asks for, so the toolkit keeps this buffer rather than making one.
    store->resize(size());
    store->beginPaint(QRegion(rect()));
    auto* buffer = dynamic_cast<QImage*>(store->paintDevice());
    uchar* bytes = buffer ? buffer->bits() : nullptr;
    const qsizetype length = buffer ? buffer->sizeInBytes() : 0;
    store->endPaint();
    if (!bytes)
        return;
    // Written once, on a worker while the screen settles, the buffer is backed by the
    // system before the first paint needs it; a 4K buffer has eight thousand pages.
    m_readying = std::async(std::launch::async, [bytes, length] { std::memset(bytes, 0, std::size_t(length)); });
}

void OverlayWindow::present(const Screen& screen)
{
    if (m_readying.valid())
        m_readying.wait();
    placeOn(screen);
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
