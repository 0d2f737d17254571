#pragma once

#include "domain/UploadMode.h"

#include <QString>

#include <chrono>

// The upload settings as they were when the user asked for an upload, taken verbatim:
// nothing is trimmed, so a token with spaces around it is sent with them.
struct UploadConfiguration {
    UploadMode mode = UploadMode::disabled;
    QString endpoint;
    QString authorizationToken;
    QString fieldName = QStringLiteral("file");
    // How long the connection may stay silent before the upload gives up.
    std::chrono::milliseconds timeout { std::chrono::seconds(60) };
};
