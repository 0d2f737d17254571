#include "services/UploadTokenRules.h"

#include "services/UrlParsing.h"

#include <QHostAddress>

#include <algorithm>

namespace UploadTokenRules {

namespace {

// C0 and C1 controls, DEL, and the Unicode line and paragraph separators.
bool breaksHeader(QChar character)
{
    const QChar::Category category = character.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
}

bool isLoopbackHost(const QString& host)
{
    const QString name = host.toLower();
    if (name == QLatin1StringView("localhost") || name.endsWith(QLatin1StringView(".localhost")))
        return true;
    const QHostAddress address(name);
    return !address.isNull() && address.isLoopback();
}

} // namespace

std::optional<QString> tokenProblem(const QString& token)
{
    if (std::ranges::any_of(token, breaksHeader))
        return QStringLiteral("The token contains a line break or another control character, so it was not saved. "
                              "Paste it again as one line.");
    return std::nullopt;
}

bool sendsTokenInClear(const QString& endpoint, const QString& token)
{
    if (token.isEmpty())
        return false;
    const std::optional<QUrl> url = UrlParsing::parse(endpoint);
    return url && url->scheme() == QLatin1StringView("http") && !url->host().isEmpty() && !isLoopbackHost(url->host());
}

} // namespace UploadTokenRules
