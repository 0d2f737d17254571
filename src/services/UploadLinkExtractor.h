#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <optional>

// Finds the shareable link in an upload server's answer. Servers answer in many shapes, so
// the search tries the usual key names level by level, and falls back to the whole answer
// as plain text.
namespace UploadLinkExtractor {

// The answer as a JSON object (or an array of objects, first link wins); none when the body
// is not JSON of that shape or holds no link.
[[nodiscard]] std::optional<QUrl> extractURL(const QByteArray& body);

// This object's own link keys first, then its nested objects; arrays are not entered.
[[nodiscard]] std::optional<QUrl> deepSearchURL(const QJsonObject& object);

// JSON first, then the trimmed text; rawResponse is the body already decoded as UTF-8.
[[nodiscard]] std::optional<QUrl> linkFromAnswer(const QByteArray& body, const QString& rawResponse);

} // namespace UploadLinkExtractor
