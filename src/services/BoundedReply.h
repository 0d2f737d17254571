#pragma once

#include <QByteArray>
#include <QString>

#include <QCoro/QCoroTask>

#include <chrono>
#include <memory>
#include <optional>

class QNetworkReply;

// How one HTTP exchange ended.
struct ReplyOutcome {
    enum class Ending {
        answered, // the server answered with a status (any status)
        tooLarge, // the answer passed the size limit and was cut off
        timedOut, // nothing moved for the whole time-out
        transportFailed, // the connection failed; errorText says how
    };

    Ending ending = Ending::answered;
    int httpStatus = 0;
    QByteArray body;
    QByteArray location;
    QString errorText;
};

// Waits for a reply while holding at most `maximumBytes` of its answer: a hostile or broken
// server cannot make us buffer an endless body, and a silent one cannot hold the upload
// for longer than the time-out. The time-out counts silence, not total time, so a large
// upload over a slow line is not cut off while bytes still move.
namespace BoundedReply {

struct DeleteLater {
    void operator()(QNetworkReply* reply) const;
};
using ReplyPointer = std::unique_ptr<QNetworkReply, DeleteLater>;

QCoro::Task<ReplyOutcome> read(ReplyPointer reply, std::chrono::milliseconds timeout, qint64 maximumBytes);

} // namespace BoundedReply
