#pragma once

#include <QString>
#include <QUrl>

struct UploadResult {
    QUrl url;
    // The whole answer as UTF-8 text; empty when the answer is not valid UTF-8.
    QString rawResponse;

    // The text put on the clipboard: the link as the server wrote it, percent-encoded.
    [[nodiscard]] QString linkText() const { return url.toString(QUrl::FullyEncoded); }
};
