#pragma once

#include <QByteArray>
#include <QString>

// The single-file multipart/form-data body of an upload. Servers parse these bytes, so
// their order and line ends are fixed: one part, no preamble or epilogue, names inserted
// without any escaping of their own.
namespace MultipartBody {

// "----TrovixBoundary" and a new upper-case UUID: 54 characters, new for every request.
[[nodiscard]] QString newBoundary();

[[nodiscard]] QByteArray makeMultipartData(const QString& boundary, const QString& fieldName, const QString& fileName,
    const QString& mimeType, const QByteArray& fileBytes);

} // namespace MultipartBody
