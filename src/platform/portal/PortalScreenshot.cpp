#include "platform/portal/PortalScreenshot.h"

#include "domain/ScreenshotError.h"
#include "platform/portal/PortalRequest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace {

// An interactive dialog waits for the user as long as they like.
constexpr std::chrono::milliseconds interactiveTimeout { 10 * 60 * 1000 };

[[noreturn]] void fail(ScreenshotError::Code code)
{
    throw ScreenshotError(code);
}

QImage readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

PortalScreenshot::PortalScreenshot(QDBusConnection bus)
    : m_bus(std::move(bus))
{ }

bool PortalScreenshot::isTemporaryFile(const QString& path)
{
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    QStringList temporary { QDir::tempPath(), QStringLiteral("/tmp"), QStringLiteral("/var/tmp") };
    for (const QString& candidate : temporary) {
        const QString canonical = QFileInfo(candidate).canonicalFilePath();
        if (!canonical.isEmpty() && (folder == canonical || folder.startsWith(canonical + QLatin1Char('/'))))
            return true;
    }
    return false;
}

QCoro::Task<QImage> PortalScreenshot::take(bool interactive)
{
    PortalRequest request(m_bus);
    QDBusMessage call = QDBusMessage::createMethodCall(PortalRequest::service, PortalRequest::objectPath,
        QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap { { QStringLiteral("handle_token"), request.token() },
                { QStringLiteral("interactive"), interactive }, { QStringLiteral("modal"), interactive } };
    const std::optional<PortalRequest::Answer> answer
        = co_await request.send(call, interactive ? interactiveTimeout : m_timeout);
    if (!answer)
        fail(ScreenshotError::Code::captureFailed);
    if (answer->response == 1 && interactive)
        fail(ScreenshotError::Code::cancelled);
    if (answer->response != 0) {
        m_refused = true;
        fail(ScreenshotError::Code::permissionDenied);
    }
    m_refused = false;
    const QUrl uri(answer->results.value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile())
        fail(ScreenshotError::Code::captureFailed);
    const QString path = uri.toLocalFile();
    QImage picture = readPicture(path);
    if (isTemporaryFile(path))
        QFile::remove(path);
    if (picture.isNull())
        fail(ScreenshotError::Code::captureFailed);
    co_return picture;
}
