#include "ui/shared/DesktopWorkspace.h"

#include "domain/PlatformError.h"
#include "ports/FrontmostApplicationPort.h"

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QWidget>

DesktopWorkspace::DesktopWorkspace(FrontmostApplicationPort& frontmost)
    : m_frontmost(frontmost)
{ }

std::optional<RunningApplication> DesktopWorkspace::frontmostApplication()
{
    return m_frontmost.frontmostApplication();
}

std::optional<QString> DesktopWorkspace::ownApplicationId() const
{
    // The X11 window list reports an application by its lower-cased WM_CLASS class.
    return QStringLiteral("trovix");
}

void DesktopWorkspace::setActivationPolicy(ActivationPolicy policy)
{
    m_policy = policy;
    if (policy != ActivationPolicy::regular)
        return;
    QTimer::singleShot(0, &m_context, [this] {
        if (m_policy == ActivationPolicy::regular && !hasVisibleRegularWindow() && m_keepInTaskbar)
            m_keepInTaskbar();
    });
}

void DesktopWorkspace::activateIgnoringOtherApps()
{
    if (m_activateSelf)
        m_activateSelf();
}

void DesktopWorkspace::activate(const RunningApplication& application)
{
    m_frontmost.activate(std::int32_t(application.processId));
}

bool DesktopWorkspace::hasVisibleRegularWindow() const
{
    // Overlays, HUDs, pinned images and menus float above normal windows; they are not
    // what keeps the application in the taskbar.
    const Qt::WindowFlags floating = Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || widget->isMinimized())
            continue;
        const Qt::WindowType type = widget->windowType();
        if (type != Qt::Window && type != Qt::Dialog)
            continue;
        if (widget->windowFlags() & floating)
            continue;
        return true;
    }
    return false;
}

void DesktopWorkspace::launchNewInstance()
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(relaunchVariable), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    if (!process.startDetached())
        throw PlatformError(process.errorString());
}

void DesktopWorkspace::terminate()
{
    // Queued, so that the caller's own work finishes before the event loop ends.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}
