#include "services/UrlParsing.h"

namespace UrlParsing {

std::optional<QUrl> parse(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace UrlParsing
