#pragma once

#include "launch/InstanceCommand.h"

#include <QObject>

// The application on the session bus: the running instance owns the application id and
// answers org.freedesktop.Application there (desktop files with DBusActivatable, their
// actions, `trovix capture ...`); a later launch hands its command over through it.
class ApplicationBus : public QObject {
    Q_OBJECT
public:
    explicit ApplicationBus(QObject* parent = nullptr);
    ~ApplicationBus() override;

    // Exports the interface and takes the name. False without a session bus or when
    // another process owns the name.
    bool registerInstance();

    enum class Forwarding { delivered, noInstance, failed };
    // From a later launch: asks the instance that owns the name to run the command.
    // noInstance when there is no session bus or nobody owns the name.
    [[nodiscard]] static Forwarding forward(const InstanceCommand& command, int timeoutMilliseconds = 5000);

Q_SIGNALS:
    // A request from the bus, delivered one main-loop turn after the call was answered.
    void commandReceived(const InstanceCommand& command);

private:
    friend class ApplicationAdaptor;
    void deliverLater(const InstanceCommand& command);

    bool m_registered = false;
};
