#include "platform/qt/QtApplicationWindows.h"

#include "platform/qt/QtEditorWindow.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

std::uintptr_t idOfWidget(const QWidget* widget)
{
    return reinterpret_cast<std::uintptr_t>(widget);
}

bool isMouseEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        return true;
    default:
        return false;
    }
}

bool isTopLevelWindow(const QWidget* widget)
{
    return widget->isWindow() && widget->windowType() != Qt::Desktop;
}

} // namespace

QtApplicationWindows::QtApplicationWindows(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

QtApplicationWindows::~QtApplicationWindows()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

int QtApplicationWindows::levelOf(const QWidget& window)
{
    bool numeric = false;
    const int declared = window.property("trovixWindowLevel").toInt(&numeric);
    if (numeric)
        return declared;
    const Qt::WindowFlags flags = window.windowFlags();
    if (flags.testFlag(Qt::X11BypassWindowManagerHint))
        return WindowLevel::screenSaver;
    if (window.windowType() == Qt::Popup || window.windowType() == Qt::ToolTip)
        return WindowLevel::popUpMenu;
    if (flags.testFlag(Qt::WindowStaysOnTopHint))
        return WindowLevel::floating;
    return WindowLevel::normal;
}

QList<ApplicationWindow> QtApplicationWindows::windows() const
{
    QList<ApplicationWindow> result;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (!isTopLevelWindow(widget))
            continue;
        result.append({ .id = idOfWidget(widget),
            .title = widget->windowTitle(),
            .isVisible = widget->isVisible(),
            .level = levelOf(*widget) });
    }
    return result;
}

QWidget* QtApplicationWindows::window(std::uintptr_t id) const
{
    // Looked up among the living windows, so a stale id finds nothing.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (idOfWidget(widget) == id && isTopLevelWindow(widget))
            return widget;
    }
    return nullptr;
}

std::optional<std::uintptr_t> QtApplicationWindows::idOf(const EditorWindowPort& editor) const
{
    // The editor is either our adapter of its widget or a widget itself.
    const auto* adapter = dynamic_cast<const QtEditorWindow*>(&editor);
    const QWidget* widget = adapter ? adapter->widget() : dynamic_cast<const QWidget*>(&editor);
    if (!widget || !window(idOfWidget(widget)))
        return std::nullopt;
    return idOfWidget(widget);
}

EditorWindowPort* QtApplicationWindows::editorWindowFor(std::uintptr_t id)
{
    // A destroyed window's address may be reused by a new one, so its view goes first.
    std::erase_if(m_editorViews, [](const auto& entry) { return !entry.second->widget(); });
    QWidget* widget = window(id);
    if (!widget)
        return nullptr;
    std::unique_ptr<QtEditorWindow>& view = m_editorViews[id];
    if (!view)
        view = std::make_unique<QtEditorWindow>(*widget);
    return view.get();
}

void QtApplicationWindows::orderOut(std::uintptr_t id)
{
    QWidget* widget = window(id);
    if (!widget)
        return;
    if (QWidget* focus = widget->focusWidget())
        focus->clearFocus();
    widget->hide();
}

void QtApplicationWindows::orderFrontRegardless(std::uintptr_t id)
{
    QWidget* widget = window(id);
    if (!widget)
        return;
    widget->show();
    widget->raise();
}

void QtApplicationWindows::setIgnoresMouseEvents(std::uintptr_t id, bool ignores)
{
    if (ignores)
        m_ignoringMouse.insert(id);
    else
        m_ignoringMouse.erase(id);
}

bool QtApplicationWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (m_ignoringMouse.empty() || !isMouseEvent(event->type()) || !watched->isWidgetType())
        return false;
    const QWidget* target = static_cast<QWidget*>(watched)->window();
    return m_ignoringMouse.contains(idOfWidget(target));
}
