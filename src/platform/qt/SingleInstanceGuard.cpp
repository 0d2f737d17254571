#include "platform/qt/SingleInstanceGuard.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{ }

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::defaultName()
{
    return QStringLiteral("trovix-%1").arg(getuid());
}

QString SingleInstanceGuard::lockFilePath() const
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(m_name + QStringLiteral(".lock"));
}

bool SingleInstanceGuard::claim(int waitMilliseconds)
{
    m_lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock left by a crashed instance is stale: QLockFile sees that its process is gone.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(waitMilliseconds)) {
        m_lock.reset();
        return false;
    }
    // The socket of a crashed instance may remain; we hold the lock, so it is ours to replace.
    QLocalServer::removeServer(m_name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptConnections);
    // Without the socket a second launch cannot reach us, but we are still the one instance.
    m_server->listen(m_name);
    return true;
}

void SingleInstanceGuard::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // One line: the arguments as a JSON array of strings.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QJsonDocument message = QJsonDocument::fromJson(socket->readLine());
            socket->disconnectFromServer();
            if (!message.isArray())
                return;
            QStringList arguments;
            for (const QJsonValue& value : message.array())
                arguments.append(value.toString());
            Q_EMIT requestReceived(arguments);
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

bool SingleInstanceGuard::notifyRunningInstance(const QStringList& arguments, int timeoutMilliseconds)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMilliseconds))
        return false;
    socket.write(QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact) + '\n');
    return socket.waitForBytesWritten(timeoutMilliseconds);
}
