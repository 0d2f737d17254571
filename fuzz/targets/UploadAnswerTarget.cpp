#include "FuzzTargets.h"

#include "FuzzCheck.h"

#include "domain/UploadError.h"
#include "services/UploadService.h"

#include <QByteArray>
#include <QStringDecoder>

namespace FuzzTargets {

namespace {

// The first two bytes pick the status from 100 to 599, so every class of answer is reached;
// the rest is the body.
constexpr std::size_t statusBytes = 2;

int statusFrom(const std::uint8_t* data)
{
    return 100 + (data[0] << 8 | data[1]) % 500;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

int uploadAnswer(const std::uint8_t* data, std::size_t size)
{
    if (size < statusBytes)
        return 0;
    const int status = statusFrom(data);
    const QByteArray body(
        reinterpret_cast<const char*>(data + statusBytes), static_cast<qsizetype>(size - statusBytes));
    const bool success = status >= 200 && status <= 299;
    const bool utf8 = isValidUtf8(body);
    try {
        const UploadResult result = UploadService::resultFromAnswer(status, body);
        FuzzCheck::require(success, "only a 2xx answer gives a link");
        FuzzCheck::require(result.url.isValid() && !result.linkText().isEmpty(), "a link is a usable address");
        FuzzCheck::require(utf8 || result.rawResponse.isEmpty(), "an answer that is not UTF-8 is not shown as text");
    } catch (const UploadError& error) {
        FuzzCheck::require(!error.description().isEmpty(), "a refused upload says why");
        if (success) {
            FuzzCheck::require(
                error.code() == UploadError::Code::invalidResponse, "a 2xx answer without a link is an invalid answer");
        } else {
            FuzzCheck::require(error.code() == UploadError::Code::uploadFailed, "an error status fails the upload");
        }
    }
    return 0;
}

} // namespace FuzzTargets
