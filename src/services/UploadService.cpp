#include "services/UploadService.h"

#include "domain/UploadError.h"
#include "domain/UploadTransportError.h"
#include "services/BoundedReply.h"
#include "services/MultipartBody.h"
#include "services/UploadLinkExtractor.h"
#include "services/UploadRedirects.h"
#include "services/UploadTokenRules.h"
#include "services/UrlParsing.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QtConcurrent/QtConcurrentRun>

#include <QCoro/QCoroFuture>

#include <optional>

namespace UploadService {

namespace {

// One manager for the whole process, as Qt advises: it owns the connection pool. Replies
// are deleted when an upload ends, so it keeps nothing of an upload between calls.
//
// It is never destroyed. Destroying it stops its network thread at once, and the clean-up
// of a request that has just ended (queued to that thread when its reply was deleted) is
// then dropped with the thread's queue: the request's objects were lost at every exit that
// followed an upload closely. Left alone, the thread ends with the process.
QNetworkAccessManager& networkManager()
{
    static QNetworkAccessManager* const manager = [] {
        auto* created = new QNetworkAccessManager;
        created->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
        return created;
    }();
    return *manager;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isWebScheme(const QUrl& url)
{
    return url.scheme() == QLatin1StringView("http") || url.scheme() == QLatin1StringView("https");
}

// What one request of the exchange carries: the body of a POST, or nothing for the GET that
// follows a 301, 302 or 303.
struct Hop {
    QUrl url;
    bool postsBody = true;
};

QNetworkReply* send(const Hop& hop, const QUrl& endpoint, const UploadConfiguration& configuration,
    const QString& boundary, const QByteArray& body)
{
    QNetworkRequest request(hop.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferNetwork);
    // The token belongs to the configured server: never hand it to another host or port.
    if (!configuration.authorizationToken.isEmpty() && UploadRedirects::sameOrigin(hop.url, endpoint))
        request.setRawHeader("Authorization", "Bearer " + configuration.authorizationToken.toUtf8());
    if (!hop.postsBody)
        return networkManager().get(request);
    request.setRawHeader("Content-Type", "multipart/form-data; boundary=" + boundary.toUtf8());
    return networkManager().post(request, body);
}

// Follows redirects ourselves so that each hop is checked before anything is sent to it.
QCoro::Task<ReplyOutcome> exchange(QUrl endpoint, UploadConfiguration configuration, QString boundary, QByteArray body)
{
    Hop hop { endpoint, true };
    for (int redirects = 0;; ++redirects) {
        BoundedReply::ReplyPointer reply(send(hop, endpoint, configuration, boundary, body));
        ReplyOutcome outcome = co_await BoundedReply::read(std::move(reply), configuration.timeout, maximumAnswerBytes);
        if (outcome.ending != ReplyOutcome::Ending::answered || !UploadRedirects::isRedirect(outcome.httpStatus)
            || outcome.location.isEmpty())
            co_return outcome;
        if (redirects == UploadRedirects::maximumRedirects)
            throw UploadError::uploadFailed(QStringLiteral("The server redirected the upload too many times."));
        const auto target = UploadRedirects::resolve(hop.url, QUrl::fromEncoded(outcome.location));
        if (target.refusal == UploadRedirects::Refusal::insecure)
            throw UploadError::uploadFailed(
                QStringLiteral("The server redirected the upload from a secure address to an insecure one."));
        if (!target.url)
            throw UploadError::uploadFailed(QStringLiteral("The server redirected the upload to an unusable address."));
        hop = Hop { *target.url, hop.postsBody && UploadRedirects::keepsMethod(outcome.httpStatus) };
    }
}

std::optional<QByteArray> prepareBody(const PngSource& pngSource, const QString& boundary, const QString& fieldName)
{
    QByteArray png;
    try {
        png = pngSource();
    } catch (const TrovixError&) {
        // The encoder's own reason is replaced by the upload's wording for the same failure.
        return std::nullopt;
    }
    if (png.isEmpty())
        return std::nullopt;
    return MultipartBody::makeMultipartData(
        boundary, fieldName, QStringLiteral("screenshot.png"), QStringLiteral("image/png"), png);
}

} // namespace

UploadResult resultFromAnswer(int httpStatus, const QByteArray& body)
{
    const std::optional<QString> text = decodeUtf8(body);
    if (httpStatus < 200 || httpStatus > 299) {
        if (!text || text->isEmpty())
            throw UploadError::uploadFailed(QStringLiteral("Upload failed."));
        throw UploadError::uploadFailed(*text);
    }
    const QString rawResponse = text.value_or(QString());
    const std::optional<QUrl> link = UploadLinkExtractor::linkFromAnswer(body, rawResponse);
    if (!link)
        throw UploadError::invalidResponse();
    return UploadResult { *link, rawResponse };
}

QCoro::Task<UploadResult> upload(UploadConfiguration configuration, PngSource pngSource)
{
    if (configuration.mode != UploadMode::customServer)
        throw UploadError::uploadFailed(QStringLiteral("Upload jest wyłączony w ustawieniach."));
    const std::optional<QUrl> endpoint = UrlParsing::parse(configuration.endpoint);
    if (!endpoint)
        throw UploadError::invalidEndpoint();
    if (UploadTokenRules::tokenProblem(configuration.authorizationToken))
        throw UploadError::invalidToken();

    const QString boundary = MultipartBody::newBoundary();
    // Encoding a large screenshot takes long enough to stall the interface. (The future is
    // named rather than awaited inline: g++ 12 destroys lambda captures inside a co_await
    // expression twice.)
    QFuture<std::optional<QByteArray>> preparing
        = QtConcurrent::run([source = std::move(pngSource), boundary, field = configuration.fieldName] {
              return prepareBody(source, boundary, field);
          });
    const std::optional<QByteArray> body = co_await preparing;
    if (!body)
        throw UploadError::uploadFailed(QStringLiteral("Nie udało się przygotować PNG do wysyłki."));
    // A relative or non-web address parses as a URL but cannot be posted to.
    if (!isWebScheme(*endpoint) || endpoint->host().isEmpty())
        throw UploadTransportError(QStringLiteral("unsupported URL"));

    const ReplyOutcome outcome = co_await exchange(*endpoint, configuration, boundary, *body);
    switch (outcome.ending) {
    case ReplyOutcome::Ending::answered:
        break;
    case ReplyOutcome::Ending::tooLarge:
        throw UploadError::uploadFailed(QStringLiteral("The server's answer is larger than 10 MiB."));
    case ReplyOutcome::Ending::timedOut:
        throw UploadTransportError(QStringLiteral("The request timed out."));
    case ReplyOutcome::Ending::transportFailed:
        throw UploadTransportError(outcome.errorText);
    }
    co_return resultFromAnswer(outcome.httpStatus, outcome.body);
}

} // namespace UploadService
