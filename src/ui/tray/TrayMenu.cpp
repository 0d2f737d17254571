#include "ui/tray/TrayMenu.h"

#include "app/AppSettings.h"
#include "app/AppState.h"
#include "ui/shared/MenuShortcut.h"
#include "ui/tray/TrayIcons.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

TrayMenu::TrayMenu(AppState& state, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_menu(std::make_unique<QMenu>())
    , m_trayIcon(std::make_unique<QSystemTrayIcon>())
{
    m_moreMenu = new QMenu(QStringLiteral("more"), m_menu.get());
    m_moreMenu->setIcon(TrayIcons::icon(QStringLiteral("ellipsis")));
    m_trayIcon->setIcon(TrayIcons::statusIcon());
    m_trayIcon->setToolTip(QStringLiteral("Trovix"));
    connectState();
    connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayMenu::populate);
    connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this, &TrayMenu::handleActivation);
    populate();
    m_trayIcon->setContextMenu(m_menu.get());
    updateVisibility();
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::connectState()
{
    AppSettings& settings = m_state.settings;
    connect(&settings.hideMenubarIcon, &ObservableNotifier::changed, this, &TrayMenu::updateVisibility);
    connect(&settings.launchAtStartup, &ObservableNotifier::changed, this, &TrayMenu::scheduleRebuild);
    for (HotkeyAction action : HotkeyActions::allCases)
        connect(&settings.hotkeyField(action), &ObservableNotifier::changed, this, &TrayMenu::scheduleRebuild);
    // Not needed for correctness (the menu refills when it opens), but a tray host that
    // caches the menu then shows "Recognize Text/QR" in its current state too.
    connect(&m_state.baseImage, &ObservableNotifier::changed, this, &TrayMenu::scheduleRebuild);
}

// In a later turn: one assignment can change several fields (a shortcut taken from another
// action), and the change may come from one of the menu's own items while it is still
// delivering its click.
void TrayMenu::scheduleRebuild()
{
    if (m_rebuildScheduled)
        return;
    m_rebuildScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildScheduled = false;
        populate();
    });
}

// Tray hosts show the context menu on a right click only; a left click opens it too,
// because the menu is the only thing the icon offers.
void TrayMenu::handleActivation(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger && !m_menu->isVisible())
        m_menu->popup(QCursor::pos());
}

void TrayMenu::updateVisibility()
{
    m_trayIcon->setVisible(!m_state.settings.hideMenubarIcon());
}

void TrayMenu::populate()
{
    QMenu& menu = *m_menu;
    menu.clear();
    showShortcut(*addItem(menu, QStringLiteral("Reopen Trovix"), QApplication::windowIcon(), QKeySequence(),
                     [this] { Q_EMIT showEditorRequested(); }),
        HotkeyAction::showTrovix);
    menu.addSeparator();
    addCaptureItem(menu, QStringLiteral("Capture Screen"), QStringLiteral("display"), TrayCaptureCommand::captureScreen,
        HotkeyAction::captureScreen);
    addCaptureItem(menu, QStringLiteral("Capture Area"), QStringLiteral("viewfinder.rectangular"),
        TrayCaptureCommand::captureArea, HotkeyAction::captureArea);
    addCaptureItem(menu, QStringLiteral("Delayed Screenshot (3s)"), QStringLiteral("timer"),
        TrayCaptureCommand::captureAfterDelay, std::nullopt);
    addCaptureItem(menu, QStringLiteral("Scrolling Capture"), QStringLiteral("arrow.down.to.line"),
        TrayCaptureCommand::captureScrolling, std::nullopt);
    QAction* recognize
        = addItem(menu, QStringLiteral("Recognize Text/QR"), TrayIcons::icon(QStringLiteral("text.viewfinder")),
            QKeySequence(), [this] { static_cast<void>(m_state.recognizeText()); });
    showShortcut(*recognize, HotkeyAction::recognizeText);
    recognize->setEnabled(m_state.baseImage().has_value());
    populateMoreMenu();
    menu.addMenu(m_moreMenu);
    menu.addSeparator();
    QAction* launch = addItem(
        menu, QStringLiteral("Launch at Startup"), QIcon(), QKeySequence(), [this] { toggleLaunchAtStartup(); });
    launch->setCheckable(true);
    launch->setChecked(m_state.settings.launchAtStartup());
    // Ctrl rather than Super: this is an application command, not a global shortcut.
    addItem(menu, QStringLiteral("Settings"), TrayIcons::icon(QStringLiteral("gearshape")),
        QKeySequence(Qt::CTRL | Qt::Key_Comma), [this] { Q_EMIT settingsRequested(); });
    addItem(menu, QStringLiteral("Quit"), QIcon(), QKeySequence(), [this] { Q_EMIT quitRequested(); });
}

void TrayMenu::populateMoreMenu()
{
    QMenu& menu = *m_moreMenu;
    menu.clear();
    addCaptureItem(menu, QStringLiteral("Add Capture to Canvas"), QStringLiteral("viewfinder.rectangular"),
        TrayCaptureCommand::addCapture, HotkeyAction::addCapture);
    addCaptureItem(menu, QStringLiteral("Capture Active Window"), QStringLiteral("window.on.rectangle"),
        TrayCaptureCommand::captureActiveWindow, HotkeyAction::captureActiveWindow);
    addCaptureItem(menu, QStringLiteral("Capture Any Window"), QStringLiteral("rectangle.on.rectangle"),
        TrayCaptureCommand::captureAnyWindow, HotkeyAction::captureAnyWindow);
    addCaptureItem(menu, QStringLiteral("Scrolling Capture"), QStringLiteral("chevron.up"),
        TrayCaptureCommand::captureScrolling, HotkeyAction::captureScrolling);
    menu.addSeparator();
    addItem(menu, QStringLiteral("Open File"), TrayIcons::icon(QStringLiteral("doc")), QKeySequence(),
        [this] { m_state.openImage(); });
    addItem(menu, QStringLiteral("Load From Clipboard"), TrayIcons::icon(QStringLiteral("clipboard")), QKeySequence(),
        [this] { m_state.loadFromClipboard(); });
}

void TrayMenu::toggleLaunchAtStartup()
{
    // The settings store writes the change and updates the login item; the menu refills
    // through the settings observer.
    m_state.settings.launchAtStartup.set(!m_state.settings.launchAtStartup());
}

template <typename Handler>
QAction* TrayMenu::addItem(
    QMenu& menu, const QString& title, const QIcon& icon, const QKeySequence& keys, Handler&& handler)
{
    QAction* action = menu.addAction(icon, title);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, std::forward<Handler>(handler));
    return action;
}

QAction* TrayMenu::addCaptureItem(QMenu& menu, const QString& title, const QString& symbol, TrayCaptureCommand command,
    std::optional<HotkeyAction> shortcut)
{
    QAction* item = addItem(
        menu, title, TrayIcons::icon(symbol), QKeySequence(), [this, command] { Q_EMIT captureRequested(command); });
    if (shortcut)
        showShortcut(*item, *shortcut);
    return item;
}

void TrayMenu::showShortcut(QAction& item, HotkeyAction action) const
{
    MenuShortcut::show(item, item.text(), m_state.settings.globalShortcut(action));
}
