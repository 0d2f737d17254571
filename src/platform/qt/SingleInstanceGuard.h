#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

// One Trovix per user session: the first launch holds a lock file and listens on a local
// socket; a later launch finds the lock taken and asks the running one to show itself.
// Two processes must never write the same settings file.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The name distinguishes sessions and test instances; the default is per user.
    explicit SingleInstanceGuard(QString name = defaultName(), QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when this process is the one instance; it then answers later launches. A
    // relaunched instance waits for the one it replaces to let go.
    [[nodiscard]] bool claim(int waitMilliseconds = 100);
    // From a later launch: asks the running instance to show its editor. False when it
    // could not be reached.
    [[nodiscard]] bool notifyRunningInstance(int timeoutMilliseconds = 2000);

    [[nodiscard]] static QString defaultName();

Q_SIGNALS:
    // Another launch asked this instance to come forward.
    void activationRequested();

private:
    [[nodiscard]] QString lockFilePath() const;
    void acceptConnections();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
