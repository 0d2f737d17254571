#include "platform/portal/PortalRequest.h"

#include <QCoro/QCoroSignal>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

#include <atomic>

namespace {

Q_LOGGING_CATEGORY(portalLog, "trovix.portal")

const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

QString newToken()
{
    static std::atomic<unsigned> counter { 0 };
    return QStringLiteral("trovix%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

} // namespace

PortalRequest::PortalRequest(QDBusConnection bus)
    : m_bus(std::move(bus))
    , m_token(newToken())
{ }

PortalRequest::~PortalRequest()
{
    unsubscribe();
}

QString PortalRequest::requestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName;
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

bool PortalRequest::subscribe(const QString& path)
{
    unsubscribe();
    m_path = path;
    return m_bus.connect(
        service, m_path, requestInterface, QStringLiteral("Response"), this, SLOT(handleResponse(uint, QVariantMap)));
}

void PortalRequest::unsubscribe()
{
    if (m_path.isEmpty())
        return;
    m_bus.disconnect(
        service, m_path, requestInterface, QStringLiteral("Response"), this, SLOT(handleResponse(uint, QVariantMap)));
    m_path.clear();
}

void PortalRequest::handleResponse(uint response, const QVariantMap& results)
{
    Q_EMIT answered(response, results);
}

QCoro::Task<std::optional<PortalRequest::Answer>> PortalRequest::send(
    QDBusMessage call, std::chrono::milliseconds timeout)
{
    if (!m_bus.isConnected() || !subscribe(requestPath(m_bus.baseService(), m_token))) {
        qCWarning(portalLog) << "no session bus to reach the desktop portal";
        co_return std::nullopt;
    }
    // Collects an answer that arrives while the call is still on its way back.
    std::optional<Answer> early;
    const QMetaObject::Connection collector
        = connect(this, &PortalRequest::answered, this, [&early](uint response, const QVariantMap& results) {
              early = Answer { response, results };
          });

    QDBusPendingCallWatcher watcher(m_bus.asyncCall(call));
    if (!watcher.isFinished())
        co_await qCoro(&watcher, &QDBusPendingCallWatcher::finished);
    const QDBusPendingReply<QDBusObjectPath> reply = watcher;
    if (reply.isError()) {
        disconnect(collector);
        qCWarning(portalLog) << call.interface() << call.member() << "failed:" << reply.error().message();
        co_return std::nullopt;
    }
    // Portals older than handle_token answer on a path of their own choosing.
    const QString handle = reply.value().path();
    if (!early && handle != m_path)
        subscribe(handle);

    if (!early) {
        const auto answer = co_await qCoro(this, &PortalRequest::answered, timeout);
        if (answer)
            early = Answer { std::get<0>(*answer), std::get<1>(*answer) };
    }
    disconnect(collector);
    if (!early) {
        qCWarning(portalLog) << call.interface() << call.member() << "got no answer in time";
        m_bus.call(
            QDBusMessage::createMethodCall(service, handle, requestInterface, QStringLiteral("Close")), QDBus::NoBlock);
    }
    unsubscribe();
    co_return early;
}
