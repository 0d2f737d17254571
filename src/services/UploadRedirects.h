#pragma once

#include <QUrl>

#include <optional>

// Where an upload may go when the server redirects it. The bearer token is the user's
// credential for the endpoint they configured, so it only ever goes back to that origin
// (scheme, host and port); and an upload that started encrypted never continues in clear.
namespace UploadRedirects {

inline constexpr int maximumRedirects = 10;

[[nodiscard]] bool isRedirect(int httpStatus);
// 307 and 308 repeat the POST with its body; 301, 302 and 303 fetch the target with GET.
[[nodiscard]] bool keepsMethod(int httpStatus);
[[nodiscard]] bool sameOrigin(const QUrl& a, const QUrl& b);

enum class Refusal { insecure, unsupportedScheme };

// The absolute address to go to next from `current`, or why the redirect is refused.
struct Target {
    std::optional<QUrl> url;
    std::optional<Refusal> refusal;
};
[[nodiscard]] Target resolve(const QUrl& current, const QUrl& location);

} // namespace UploadRedirects
