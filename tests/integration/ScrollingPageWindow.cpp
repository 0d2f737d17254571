#include "ScrollingPageWindow.h"

#include "XDriving.h"
#include "unit/engine/StitchTestPages.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>

ScrollingPageWindow::ScrollingPageWindow(QRect rootGeometry, int pageHeight, unsigned seed)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_scrollArea(new QScrollArea(this))
    , m_label(new QLabel)
    , m_pageHeight(pageHeight)
    , m_seed(seed)
{
    setGeometry(rootGeometry);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setWidget(m_label);
    m_scrollArea->setFocusPolicy(Qt::StrongFocus);
}

bool ScrollingPageWindow::showWithFocus()
{
    using namespace XDriving;
    show();
    if (!waitUntil([&] { return windowHandle() && windowHandle()->isExposed(); }))
        return false;
    // The page is drawn once the viewport's width is known, so no column is cut off.
    const int width = m_scrollArea->viewport()->width();
    m_page = StitchTestPages::Page(width, m_pageHeight, 1, m_seed).pixels().convertToFormat(QImage::Format_RGB32);
    m_label->setPixmap(QPixmap::fromImage(m_page));
    m_label->resize(m_page.size());
    return takeFocus();
}

bool ScrollingPageWindow::takeFocus()
{
    using namespace XDriving;
    activateWindow();
    m_scrollArea->setFocus(Qt::ActiveWindowFocusReason);
    const bool focused = waitUntil([&] { return QApplication::focusWidget() == m_scrollArea; });
    pump(150);
    return focused;
}

void ScrollingPageWindow::setPageStepShare(double share)
{
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    bar->setPageStep(static_cast<int>(m_scrollArea->viewport()->height() * share));
}

QRect ScrollingPageWindow::viewportRootRect() const
{
    QWidget* viewport = m_scrollArea->viewport();
    return QRect(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
}

void ScrollingPageWindow::scrollTo(int offset)
{
    m_scrollArea->verticalScrollBar()->setValue(offset);
    XDriving::pump(100);
}

int ScrollingPageWindow::offset() const
{
    return m_scrollArea->verticalScrollBar()->value();
}

int ScrollingPageWindow::lastOffset() const
{
    return m_scrollArea->verticalScrollBar()->maximum();
}
