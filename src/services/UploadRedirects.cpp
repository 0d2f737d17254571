#include "services/UploadRedirects.h"

namespace UploadRedirects {

namespace {

int defaultPort(const QString& scheme)
{
    if (scheme == QLatin1StringView("https"))
        return 443;
    if (scheme == QLatin1StringView("http"))
        return 80;
    return -1;
}

bool isWebScheme(const QString& scheme)
{
    return scheme == QLatin1StringView("http") || scheme == QLatin1StringView("https");
}

} // namespace

bool isRedirect(int httpStatus)
{
    return httpStatus == 301 || httpStatus == 302 || httpStatus == 303 || httpStatus == 307 || httpStatus == 308;
}

bool keepsMethod(int httpStatus)
{
    return httpStatus == 307 || httpStatus == 308;
}

bool sameOrigin(const QUrl& a, const QUrl& b)
{
    const QString scheme = a.scheme().toLower();
    return scheme == b.scheme().toLower() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
        && a.port(defaultPort(scheme)) == b.port(defaultPort(scheme));
}

Target resolve(const QUrl& current, const QUrl& location)
{
    const QUrl target = current.resolved(location);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || !isWebScheme(scheme) || target.host().isEmpty())
        return { std::nullopt, Refusal::unsupportedScheme };
    if (current.scheme().toLower() == QLatin1StringView("https") && scheme != QLatin1StringView("https"))
        return { std::nullopt, Refusal::insecure };
    return { target, std::nullopt };
}

} // namespace UploadRedirects
