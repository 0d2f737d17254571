#include "services/MultipartBody.h"

#include <QUuid>

namespace MultipartBody {

namespace {

constexpr char crlf[] = "\r\n";

} // namespace

QString newBoundary()
{
    return QStringLiteral("----TrovixBoundary") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

QByteArray makeMultipartData(const QString& boundary, const QString& fieldName, const QString& fileName,
    const QString& mimeType, const QByteArray& fileBytes)
{
    const QByteArray boundaryBytes = boundary.toUtf8();
    QByteArray head;
    head += "--" + boundaryBytes + crlf;
    head += "Content-Disposition: form-data; name=\"" + fieldName.toUtf8() + "\"; filename=\"" + fileName.toUtf8() + '"'
        + crlf;
    head += "Content-Type: " + mimeType.toUtf8() + crlf + crlf;
    const QByteArray tail = crlf + QByteArray("--") + boundaryBytes + "--" + crlf;

    // One allocation: the image dominates, and a 5K screenshot's PNG is tens of megabytes.
    QByteArray body;
    body.reserve(head.size() + fileBytes.size() + tail.size());
    body += head;
    body += fileBytes;
    body += tail;
    return body;
}

} // namespace MultipartBody
