#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The one rule by which a text counts as a link or an endpoint. Strict: a character that
// may not appear in a URL (a space, a quote, a brace) rejects the whole text instead of
// being quietly encoded. No scheme or host is required, so a bare word counts as a
// relative URL; an empty text does not count.
namespace UrlParsing {

[[nodiscard]] std::optional<QUrl> parse(const QString& text);

} // namespace UrlParsing
