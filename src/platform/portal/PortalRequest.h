#pragma once

#include <QCoro/QCoroTask>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>

#include <chrono>
#include <optional>

// One call to a desktop portal that answers later through an org.freedesktop.portal.Request
// object. The answer can arrive before the call returns, so the Response signal is
// subscribed first, at the path the portal derives from our bus name and handle_token.
class PortalRequest : public QObject {
    Q_OBJECT

public:
    struct Answer {
        // 0 done, 1 cancelled by the user, 2 ended otherwise (refused, failed).
        uint response = 2;
        QVariantMap results;
    };

    static inline const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");

    explicit PortalRequest(QDBusConnection bus);
    ~PortalRequest() override;

    // The handle_token to put into the call's options.
    [[nodiscard]] QString token() const { return m_token; }

    // Sends `call` (with token() among its options) and waits for the Response. None when the
    // call itself fails or nothing answers within `timeout`; the request is then closed.
    QCoro::Task<std::optional<Answer>> send(QDBusMessage call, std::chrono::milliseconds timeout);

    // The path the portal will give the request, for a bus name such as ":1.42".
    [[nodiscard]] static QString requestPath(const QString& uniqueName, const QString& token);

Q_SIGNALS:
    void answered(uint response, const QVariantMap& results);

private Q_SLOTS:
    void handleResponse(uint response, const QVariantMap& results);

private:
    bool subscribe(const QString& path);
    void unsubscribe();

    QDBusConnection m_bus;
    QString m_token;
    QString m_path;
};
