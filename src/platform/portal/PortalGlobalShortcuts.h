#pragma once

#include "ports/HotkeyRegistrar.h"

#include <QCoro/QCoroTask>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <set>

// Global shortcuts through the desktop's org.freedesktop.portal.GlobalShortcuts (KDE Plasma
// 5.27 and later, GNOME 48 and later): one session holds every action, bound with the stored
// shortcuts as preferred triggers; the desktop may let the user confirm or change them, and
// its Activated signal runs the action. Each registration starts a new session, because a
// session's shortcuts are bound once.
class PortalGlobalShortcuts final : public QObject, public HotkeyRegistrar {
    Q_OBJECT
public:
    using Callback = std::function<void()>;
    using Callbacks = std::map<HotkeyAction, Callback>;

    explicit PortalGlobalShortcuts(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);
    ~PortalGlobalShortcuts() override;

    // Whether the desktop's portal has the interface at all.
    [[nodiscard]] static bool isOffered(QDBusConnection bus = QDBusConnection::sessionBus());

    // A callback runs in a later turn of the event loop than the signal that started it.
    void setCallbacks(Callbacks callbacks);
    void registerHotkeys(const Shortcuts& shortcuts) override;

    // The actions the desktop bound in the last completed registration.
    [[nodiscard]] std::set<HotkeyAction> boundActions() const { return m_bound; }

Q_SIGNALS:
    // A registration has been answered (bound, refused or failed).
    void registrationFinished();

private Q_SLOTS:
    // The whole message: (session handle, shortcut id, timestamp, options).
    void handleActivated(const QDBusMessage& message);

private:
    QCoro::Task<> bindWhileWanted();
    QCoro::Task<std::optional<QDBusObjectPath>> createSession();
    QCoro::Task<> bind(QDBusObjectPath session, Shortcuts shortcuts);
    void closeSession();

    QDBusConnection m_bus;
    Callbacks m_callbacks;
    Shortcuts m_wanted;
    bool m_binding = false;
    bool m_wantsAnother = false;
    std::optional<QDBusObjectPath> m_session;
    std::set<HotkeyAction> m_bound;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
