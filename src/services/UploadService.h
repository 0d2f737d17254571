#pragma once

#include "domain/UploadConfiguration.h"
#include "domain/UploadResult.h"

#include <QByteArray>

#include <QCoro/QCoroTask>

#include <functional>

// Sends the editor image to the user's own server as one multipart/form-data POST and
// finds the shareable link in the answer. Holds no state; several uploads may run at once.
namespace UploadService {

// At most this much of an answer is read; a longer one fails the upload.
inline constexpr qint64 maximumAnswerBytes = 10 * 1024 * 1024;

// Makes the PNG bytes of the image to send. Called on a worker thread, only after the
// configuration was found usable; an empty result or a thrown TrovixError means the
// image could not be encoded. Name it before the co_await rather than writing the lambda
// inside the co_await expression: g++ 12 destroys such lambda captures twice.
using PngSource = std::function<QByteArray()>;

// Throws UploadError for a switched-off upload, a bad endpoint, a token with a control
// character, an image that cannot be encoded, a refused upload or an answer without a link;
// UploadTransportError when the connection fails or stays silent for the configured
// time-out. Call from the main thread.
QCoro::Task<UploadResult> upload(UploadConfiguration configuration, PngSource pngSource);

// The outcome of a finished exchange: a link for a 2xx answer that holds one, else the
// error the user sees.
[[nodiscard]] UploadResult resultFromAnswer(int httpStatus, const QByteArray& body);

} // namespace UploadService
