#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop on SIGTERM, SIGINT or SIGHUP (a session logging out, Ctrl+C in a
// terminal) instead of letting the signal kill the process, so that windows close and
// everything is released in order. A signal handler may only write to a pipe; the event
// loop reads the other end.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    QSocketNotifier* m_notifier = nullptr;
};
