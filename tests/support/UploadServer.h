#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// The loopback upload server of tests/support/upload_server.py, one per test. It listens on
// two ports; what it received is read back from its record file.
class UploadServer {
public:
    UploadServer()
    {
        m_process.setProgram(QStringLiteral("python3"));
        m_process.setArguments({ QStringLiteral(TROVIX_SOURCE_DIR "/tests/support/upload_server.py"), recordPath() });
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(10000) || !m_process.waitForReadyRead(10000)) {
            ADD_FAILURE() << "the upload server did not start";
            return;
        }
        const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
        if (words.size() == 3 && words[0] == "READY") {
            m_port = words[1].toInt();
            m_otherPort = words[2].toInt();
        } else {
            ADD_FAILURE() << "unexpected first line from the upload server";
        }
    }

    ~UploadServer()
    {
        // Closing its input ends the server; kill it only if it ignores that.
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

    UploadServer(const UploadServer&) = delete;
    UploadServer& operator=(const UploadServer&) = delete;

    [[nodiscard]] int port() const { return m_port; }
    [[nodiscard]] int otherPort() const { return m_otherPort; }
    [[nodiscard]] QString url(const QString& pathAndQuery) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(pathAndQuery);
    }

    // Every request received so far, oldest first.
    [[nodiscard]] std::vector<QJsonObject> requests() const
    {
        QFile file(recordPath());
        std::vector<QJsonObject> entries;
        if (!file.open(QIODevice::ReadOnly))
            return entries;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty())
                entries.push_back(QJsonDocument::fromJson(line).object());
        }
        return entries;
    }

    // The values of one header of a recorded request (names in lower case).
    [[nodiscard]] static QStringList header(const QJsonObject& request, const QString& name)
    {
        QStringList values;
        for (const QJsonValue& value : request.value(QStringLiteral("headers")).toObject().value(name).toArray())
            values.append(value.toString());
        return values;
    }

private:
    [[nodiscard]] QString recordPath() const { return m_directory.filePath(QStringLiteral("requests.jsonl")); }

    QTemporaryDir m_directory;
    QProcess m_process;
    int m_port = 0;
    int m_otherPort = 0;
};
