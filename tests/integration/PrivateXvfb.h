#pragma once

#include <QProcess>
#include <QSize>
#include <QString>

// An X server of our own for layouts the shared test display does not have.
class PrivateXvfb {
public:
    explicit PrivateXvfb(QSize rootSize);
    ~PrivateXvfb();

    [[nodiscard]] bool isRunning() const { return !m_display.isEmpty(); }
    // ":N", or empty when the server could not start.
    [[nodiscard]] const QString& display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};
