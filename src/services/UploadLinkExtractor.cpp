#include "services/UploadLinkExtractor.h"

#include "services/UrlParsing.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <array>

namespace UploadLinkExtractor {

namespace {

const std::array<QLatin1StringView, 6> linkKeys {
    QLatin1StringView("url"),
    QLatin1StringView("link"),
    QLatin1StringView("shareUrl"),
    QLatin1StringView("share_url"),
    QLatin1StringView("downloadUrl"),
    QLatin1StringView("download_url"),
};

std::optional<QUrl> linkAtThisLevel(const QJsonObject& object)
{
    for (QLatin1StringView key : linkKeys) {
        const QJsonValue value = object.value(key);
        if (!value.isString())
            continue;
        if (auto url = UrlParsing::parse(value.toString()))
            return url;
    }
    return std::nullopt;
}

} // namespace

std::optional<QUrl> deepSearchURL(const QJsonObject& object)
{
    if (auto url = linkAtThisLevel(object))
        return url;
    for (const QJsonValue& value : object) {
        if (!value.isObject())
            continue;
        if (auto url = deepSearchURL(value.toObject()))
            return url;
    }
    return std::nullopt;
}

std::optional<QUrl> extractURL(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    if (document.isObject())
        return deepSearchURL(document.object());
    if (document.isArray()) {
        for (const QJsonValue& element : document.array()) {
            if (!element.isObject())
                continue;
            if (auto url = deepSearchURL(element.toObject()))
                return url;
        }
    }
    return std::nullopt;
}

std::optional<QUrl> linkFromAnswer(const QByteArray& body, const QString& rawResponse)
{
    if (auto url = extractURL(body))
        return url;
    return UrlParsing::parse(rawResponse.trimmed());
}

} // namespace UploadLinkExtractor
