#pragma once

#include <QString>

#include <optional>

// The bearer token goes into an HTTP header verbatim. A line break in it would end the
// header and let the rest of the token write headers of its own, so a token with any
// control character is refused, both where it is typed and before anything is sent.
namespace UploadTokenRules {

// Why the token cannot be used (a sentence for the settings window), or none when it can.
// An empty token is fine: it means no Authorization header.
[[nodiscard]] std::optional<QString> tokenProblem(const QString& token);

// True when a set token would go to the endpoint unencrypted over a network: a plain
// http:// address whose host is not this machine's loopback.
[[nodiscard]] bool sendsTokenInClear(const QString& endpoint, const QString& token);

} // namespace UploadTokenRules
