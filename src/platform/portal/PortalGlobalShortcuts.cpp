#include "platform/portal/PortalGlobalShortcuts.h"

#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalShortcutTrigger.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QLoggingCategory>
#include <QTimer>

namespace {

Q_LOGGING_CATEGORY(shortcutsLog, "trovix.portal.shortcuts")

const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
constexpr std::chrono::milliseconds sessionTimeout { 30000 };
// Binding may show the desktop's dialog, where the user takes their time.
constexpr std::chrono::milliseconds bindTimeout { 10 * 60 * 1000 };

// One entry of the portal's a(sa{sv}) shortcut lists.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcutList = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)
Q_DECLARE_METATYPE(PortalShortcutList)

namespace {

void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<PortalShortcut>();
        qDBusRegisterMetaType<PortalShortcutList>();
        return true;
    }();
    Q_UNUSED(registered);
}

QDBusMessage portalCall(const QString& method)
{
    return QDBusMessage::createMethodCall(
        PortalRequest::service, PortalRequest::objectPath, shortcutsInterface, method);
}

PortalShortcutList shortcutList(const HotkeyRegistrar::Shortcuts& shortcuts)
{
    PortalShortcutList list;
    for (const auto& [action, shortcut] : shortcuts) {
        QVariantMap properties { { QStringLiteral("description"), HotkeyActions::title(action) } };
        const QString trigger = PortalShortcutTrigger::text(shortcut);
        if (!trigger.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), trigger);
        list.append({ PortalShortcutTrigger::id(action), properties });
    }
    return list;
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    registerTypes();
    if (!m_bus.connect(PortalRequest::service, PortalRequest::objectPath, shortcutsInterface,
            QStringLiteral("Activated"), this, SLOT(handleActivated(QDBusMessage))))
        qCWarning(shortcutsLog) << "cannot listen to the desktop's shortcuts:" << m_bus.lastError().message();
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    *m_alive = false;
    closeSession();
}

bool PortalGlobalShortcuts::isOffered(QDBusConnection bus)
{
    QDBusMessage get = QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::objectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << shortcutsInterface << QStringLiteral("version");
    const QDBusReply<QVariant> reply = bus.call(get, QDBus::Block, 5000);
    return reply.isValid() && reply.value().toUInt() >= 1;
}

void PortalGlobalShortcuts::setCallbacks(Callbacks callbacks)
{
    m_callbacks = std::move(callbacks);
}

void PortalGlobalShortcuts::registerHotkeys(const Shortcuts& shortcuts)
{
    m_wanted = shortcuts;
    if (m_binding) {
        m_wantsAnother = true;
        return;
    }
    auto task = bindWhileWanted();
    Q_UNUSED(task);
}

void PortalGlobalShortcuts::handleActivated(const QDBusMessage& message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 2 || !m_session)
        return;
    if (arguments.at(0).value<QDBusObjectPath>() != *m_session)
        return;
    const QString shortcutId = arguments.at(1).toString();
    const std::optional<HotkeyAction> action = PortalShortcutTrigger::actionFor(shortcutId);
    if (!action || !m_bound.contains(*action))
        return;
    QTimer::singleShot(0, this, [this, action = *action] {
        const auto callback = m_callbacks.find(action);
        if (callback != m_callbacks.end() && callback->second)
            callback->second();
    });
}

void PortalGlobalShortcuts::closeSession()
{
    if (!m_session)
        return;
    m_bus.call(QDBusMessage::createMethodCall(PortalRequest::service, m_session->path(),
                   QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")),
        QDBus::NoBlock);
    m_session.reset();
    m_bound.clear();
}

QCoro::Task<> PortalGlobalShortcuts::bindWhileWanted()
{
    const std::shared_ptr<bool> alive = m_alive;
    m_binding = true;
    do {
        m_wantsAnother = false;
        closeSession();
        const Shortcuts wanted = m_wanted;
        std::optional<QDBusObjectPath> session = co_await createSession();
        if (!*alive)
            co_return;
        if (session) {
            m_session = session;
            if (!wanted.empty())
                co_await bind(*session, wanted);
            if (!*alive)
                co_return;
        }
    } while (m_wantsAnother);
    m_binding = false;
    Q_EMIT registrationFinished();
}

QCoro::Task<std::optional<QDBusObjectPath>> PortalGlobalShortcuts::createSession()
{
    PortalRequest request(m_bus);
    QDBusMessage call = portalCall(QStringLiteral("CreateSession"));
    call << QVariantMap { { QStringLiteral("handle_token"), request.token() },
        { QStringLiteral("session_handle_token"), request.token() } };
    const std::optional<PortalRequest::Answer> answer = co_await request.send(call, sessionTimeout);
    if (!answer || answer->response != 0) {
        qCWarning(shortcutsLog) << "the desktop opened no shortcut session";
        co_return std::nullopt;
    }
    // The handle comes as a string, though it is an object path.
    const QString handle = answer->results.value(QStringLiteral("session_handle")).toString();
    if (handle.isEmpty())
        co_return std::nullopt;
    co_return QDBusObjectPath(handle);
}

QCoro::Task<> PortalGlobalShortcuts::bind(QDBusObjectPath session, Shortcuts shortcuts)
{
    PortalRequest request(m_bus);
    QDBusMessage call = portalCall(QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(session) << QVariant::fromValue(shortcutList(shortcuts)) << QString()
         << QVariantMap { { QStringLiteral("handle_token"), request.token() } };
    const std::optional<PortalRequest::Answer> answer = co_await request.send(call, bindTimeout);
    if (!answer || answer->response != 0) {
        qCWarning(shortcutsLog) << "the desktop bound no shortcuts";
        co_return;
    }
    // Only what the desktop reports as bound counts; the rest reaches nobody.
    const PortalShortcutList bound
        = qdbus_cast<PortalShortcutList>(answer->results.value(QStringLiteral("shortcuts")).value<QDBusArgument>());
    for (const PortalShortcut& shortcut : bound) {
        if (const std::optional<HotkeyAction> action = PortalShortcutTrigger::actionFor(shortcut.id))
            m_bound.insert(*action);
    }
}
