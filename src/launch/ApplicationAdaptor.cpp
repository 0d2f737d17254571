#include "launch/ApplicationAdaptor.h"

#include "launch/ApplicationBus.h"

#include <QUrl>

ApplicationAdaptor::ApplicationAdaptor(ApplicationBus& bus)
    : QDBusAbstractAdaptor(&bus)
    , m_bus(bus)
{ }

void ApplicationAdaptor::Activate(const QVariantMap& platformData)
{
    Q_UNUSED(platformData);
    m_bus.deliverLater(InstanceCommand {});
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap& platformData)
{
    Q_UNUSED(platformData);
    InstanceCommand command { .kind = InstanceCommand::Kind::open, .files = {} };
    for (const QString& uri : uris) {
        const QUrl url(uri);
        // Remote addresses are not ours to fetch; plain paths are accepted as a courtesy.
        if (url.isLocalFile())
            command.files.append(url.toLocalFile());
        else if (url.scheme().isEmpty() && uri.startsWith(QLatin1Char('/')))
            command.files.append(uri);
    }
    m_bus.deliverLater(command.files.isEmpty() ? InstanceCommand {} : command);
}

void ApplicationAdaptor::ActivateAction(
    const QString& actionName, const QVariantList& parameter, const QVariantMap& platformData)
{
    Q_UNUSED(parameter);
    Q_UNUSED(platformData);
    const std::optional<InstanceCommand::Kind> kind = InstanceCommands::fromActionName(actionName);
    if (!kind) {
        qWarning("org.freedesktop.Application: no action \"%s\"", qPrintable(actionName));
        return;
    }
    m_bus.deliverLater(InstanceCommand { .kind = *kind, .files = {} });
}
