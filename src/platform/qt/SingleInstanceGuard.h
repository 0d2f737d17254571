#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;

// One Trovix per user session: the first launch holds a lock file and listens on a local
// socket; a later launch finds the lock taken and hands its command line to the running
// one. Two processes must never write the same settings file. Where a session bus runs,
// launches reach the instance there first; this socket is the way without one.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The name distinguishes sessions and test instances; the default is per user.
    explicit SingleInstanceGuard(QString name = defaultName(), QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when this process is the one instance; it then answers later launches. A
    // relaunched instance waits for the one it replaces to let go.
    [[nodiscard]] bool claim(int waitMilliseconds = 100);
    // From a later launch: hands the launch's arguments (none: show the editor) to the
    // running instance. False when it could not be reached.
    [[nodiscard]] bool notifyRunningInstance(const QStringList& arguments = {}, int timeoutMilliseconds = 2000);

    [[nodiscard]] static QString defaultName();

Q_SIGNALS:
    // Another launch's arguments, already resolved against its working folder.
    void requestReceived(const QStringList& arguments);

private:
    [[nodiscard]] QString lockFilePath() const;
    void acceptConnections();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
