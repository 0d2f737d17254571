#pragma once

#include "domain/TrovixError.h"

// What the upload service reports when the server is switched off, cannot be addressed, has
// an unusable token, refuses the image or answers without a link. Transport failures are
// UploadTransportError.
class UploadError : public TrovixError {
public:
    enum class Code { uploadFailed, invalidEndpoint, invalidResponse, invalidToken };

    // The message is shown to the user exactly as given: a server's own page, or one of ours.
    [[nodiscard]] static UploadError uploadFailed(QString message)
    {
        return UploadError(Code::uploadFailed, std::move(message));
    }
    [[nodiscard]] static UploadError invalidEndpoint()
    {
        return UploadError(Code::invalidEndpoint, QStringLiteral("Nieprawidłowy adres serwera uploadu."));
    }
    [[nodiscard]] static UploadError invalidResponse()
    {
        return UploadError(Code::invalidResponse, QStringLiteral("Serwer nie zwrócił rozpoznawalnego linku."));
    }

    // A line break in the token would split the Authorization header, so nothing is sent.
    [[nodiscard]] static UploadError invalidToken()
    {
        return UploadError(Code::invalidToken,
            QStringLiteral("Token API zawiera znak końca linii lub inny znak sterujący. Popraw go w ustawieniach."));
    }

    [[nodiscard]] Code code() const { return m_code; }

private:
    UploadError(Code code, QString description)
        : TrovixError(std::move(description))
        , m_code(code)
    { }

    Code m_code;
};
