#include "launch/ApplicationBus.h"

#include "domain/ApplicationIdentity.h"
#include "launch/ApplicationAdaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>
#include <QUrl>

namespace {

const QString s_interface = QStringLiteral("org.freedesktop.Application");

// Lets the running instance take the focus the launcher was given.
QVariantMap platformData()
{
    QVariantMap data;
    if (const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        data.insert(QStringLiteral("activation-token"), token);
    if (const QString startupId = qEnvironmentVariable("DESKTOP_STARTUP_ID"); !startupId.isEmpty())
        data.insert(QStringLiteral("desktop-startup-id"), startupId);
    return data;
}

QDBusMessage callFor(const InstanceCommand& command)
{
    const auto call = [](const QString& method) {
        return QDBusMessage::createMethodCall(
            ApplicationIdentity::id(), ApplicationIdentity::objectPath(), s_interface, method);
    };
    if (command.kind == InstanceCommand::Kind::open) {
        QStringList uris;
        for (const QString& file : command.files)
            uris.append(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
        QDBusMessage message = call(QStringLiteral("Open"));
        message << uris << platformData();
        return message;
    }
    const std::optional<QString> action = InstanceCommands::actionName(command.kind);
    if (!action || command.kind == InstanceCommand::Kind::show) {
        QDBusMessage message = call(QStringLiteral("Activate"));
        message << platformData();
        return message;
    }
    QDBusMessage message = call(QStringLiteral("ActivateAction"));
    message << *action << QVariantList() << platformData();
    return message;
}

} // namespace

ApplicationBus::ApplicationBus(QObject* parent)
    : QObject(parent)
{
    new ApplicationAdaptor(*this);
}

ApplicationBus::~ApplicationBus()
{
    if (!m_registered)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(ApplicationIdentity::id());
    bus.unregisterObject(ApplicationIdentity::objectPath());
}

bool ApplicationBus::registerInstance()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(ApplicationIdentity::objectPath(), this, QDBusConnection::ExportAdaptors))
        return false;
    if (!bus.registerService(ApplicationIdentity::id())) {
        bus.unregisterObject(ApplicationIdentity::objectPath());
        return false;
    }
    m_registered = true;
    return true;
}

ApplicationBus::Forwarding ApplicationBus::forward(const InstanceCommand& command, int timeoutMilliseconds)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Asking the name's owner first keeps the bus from activating a second Trovix for us.
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(ApplicationIdentity::id()).value())
        return Forwarding::noInstance;
    const QDBusMessage reply = bus.call(callFor(command), QDBus::Block, timeoutMilliseconds);
    return reply.type() == QDBusMessage::ReplyMessage ? Forwarding::delivered : Forwarding::failed;
}

void ApplicationBus::deliverLater(const InstanceCommand& command)
{
    QTimer::singleShot(0, this, [this, command] { Q_EMIT commandReceived(command); });
}
