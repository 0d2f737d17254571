#include "services/BoundedReply.h"

#include <QNetworkReply>
#include <QTimer>

#include <QCoro/QCoroNetworkReply>

namespace BoundedReply {

namespace {

// What the network layer itself may hold before we take it; with our own limit this keeps
// the whole answer's memory bounded.
constexpr qint64 readBufferBytes = 256 * 1024;

// Failures of the connection rather than answers. Qt also turns HTTP statuses into errors
// (400 into ProtocolInvalidOperationError, 407 into ProxyAuthenticationRequiredError, 500
// into InternalServerError, ...); those replies carry the server's answer and are not here.
bool isConnectionFailure(QNetworkReply::NetworkError error)
{
    const bool network = error >= QNetworkReply::ConnectionRefusedError && error <= QNetworkReply::UnknownNetworkError;
    const bool proxy = error >= QNetworkReply::ProxyConnectionRefusedError && error <= QNetworkReply::UnknownProxyError
        && error != QNetworkReply::ProxyAuthenticationRequiredError;
    return network || proxy || error == QNetworkReply::ProtocolFailure;
}

// Aborting from inside one of the reply's own signals would finish it, and resume the
// waiting coroutine, in the middle of that emission; a queued abort runs from the event loop.
void abortLater(QNetworkReply* reply)
{
    QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
}

class Collector {
public:
    Collector(QNetworkReply* reply, qint64 maximumBytes)
        : m_reply(reply)
        , m_maximumBytes(maximumBytes)
    { }

    void checkDeclaredLength()
    {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maximumBytes)
            stop();
    }

    void drain()
    {
        while (!m_tooLarge && m_reply->bytesAvailable() > 0) {
            const qint64 room = m_maximumBytes + 1 - m_body.size();
            m_body += m_reply->read(std::min(room, m_reply->bytesAvailable()));
            if (m_body.size() > m_maximumBytes)
                stop();
        }
    }

    [[nodiscard]] bool tooLarge() const { return m_tooLarge; }
    [[nodiscard]] QByteArray takeBody() { return std::move(m_body); }

private:
    void stop()
    {
        m_tooLarge = true;
        m_body.clear();
        abortLater(m_reply);
    }

    QNetworkReply* m_reply;
    qint64 m_maximumBytes;
    QByteArray m_body;
    bool m_tooLarge = false;
};

ReplyOutcome outcomeOf(QNetworkReply& reply, QByteArray body)
{
    ReplyOutcome outcome;
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply.error();
    if (!status.isValid() || isConnectionFailure(error)) {
        outcome.ending = ReplyOutcome::Ending::transportFailed;
        outcome.errorText = reply.errorString();
        return outcome;
    }
    outcome.httpStatus = status.toInt();
    outcome.body = std::move(body);
    outcome.location = reply.rawHeader("Location");
    return outcome;
}

} // namespace

void DeleteLater::operator()(QNetworkReply* reply) const
{
    reply->deleteLater();
}

QCoro::Task<ReplyOutcome> read(ReplyPointer reply, std::chrono::milliseconds timeout, qint64 maximumBytes)
{
    reply->setReadBufferSize(readBufferBytes);
    Collector collector(reply.get(), maximumBytes);
    bool timedOut = false;

    // Every connection below dies with this frame-local context, before the captures do.
    QObject context;
    QTimer silence;
    silence.setSingleShot(true);
    silence.setTimerType(Qt::PreciseTimer); // a coarse timer may give up a few percent early
    silence.setInterval(timeout);
    QObject::connect(&silence, &QTimer::timeout, &context, [&timedOut, raw = reply.get()] {
        timedOut = true;
        abortLater(raw);
    });
    const auto activity = [&silence] { silence.start(); };
    QObject::connect(reply.get(), &QNetworkReply::uploadProgress, &context, activity);
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &context, activity);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &context, [&collector, activity] {
        activity();
        collector.checkDeclaredLength();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &context, [&collector, activity] {
        activity();
        collector.drain();
    });
    silence.start();

    co_await reply.get();
    silence.stop();
    collector.drain();

    ReplyOutcome outcome;
    if (collector.tooLarge())
        outcome.ending = ReplyOutcome::Ending::tooLarge;
    else if (timedOut)
        outcome.ending = ReplyOutcome::Ending::timedOut;
    else
        outcome = outcomeOf(*reply, collector.takeBody());
    co_return outcome;
}

} // namespace BoundedReply
