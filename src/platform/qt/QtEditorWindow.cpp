#include "platform/qt/QtEditorWindow.h"

#include "platform/qt/ScreenSpace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {

QRect primaryGeometry()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

} // namespace

QtEditorWindow::QtEditorWindow(QWidget& window, QObject* parent)
    : QObject(parent)
    , m_window(&window)
{
    m_placed = window.isVisible();
    window.installEventFilter(this);
}

bool QtEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Show)
        m_placed = true;
    return QObject::eventFilter(watched, event);
}

bool QtEditorWindow::isVisible() const
{
    return m_window && m_window->isVisible() && !m_window->isMinimized();
}

void QtEditorWindow::makeKeyAndOrderFront()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void QtEditorWindow::orderOut()
{
    if (m_window)
        m_window->hide();
}

QRectF QtEditorWindow::frame() const
{
    if (!m_window || !m_placed)
        return {};
    return ScreenSpace::fromQtGeometry(QRectF(m_window->frameGeometry()), primaryGeometry());
}

void QtEditorWindow::setFrame(const QRectF& frame)
{
    if (!m_window)
        return;
    const QRectF qtFrame = ScreenSpace::toQtGeometry(frame, primaryGeometry());
    const QSize decorations = decorationSize();
    // move() places the outer frame of a top-level window, resize() sizes its client area.
    m_window->resize(
        QSize(qRound(qtFrame.width()) - decorations.width(), qRound(qtFrame.height()) - decorations.height()));
    m_window->move(qtFrame.topLeft().toPoint());
    m_placed = true;
}

QSizeF QtEditorWindow::contentSize() const
{
    return m_window ? QSizeF(m_window->size()) : QSizeF();
}

QSizeF QtEditorWindow::frameSizeForContentSize(QSizeF contentSize) const
{
    const QSize decorations = decorationSize();
    return { contentSize.width() + decorations.width(), contentSize.height() + decorations.height() };
}

std::optional<QRectF> QtEditorWindow::screenVisibleFrame() const
{
    const QScreen* screen = m_window ? m_window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return ScreenSpace::fromQtGeometry(QRectF(screen->availableGeometry()), primaryGeometry());
}

QSize QtEditorWindow::decorationSize() const
{
    if (!m_window)
        return {};
    const QSize outer = m_window->frameGeometry().size();
    const QSize inner = m_window->geometry().size();
    return { std::max(0, outer.width() - inner.width()), std::max(0, outer.height() - inner.height()) };
}
