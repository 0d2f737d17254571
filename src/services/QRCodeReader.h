#pragma once

#include <QImage>
#include <QPolygon>
#include <QString>

#include <vector>

struct DecodedQRCode {
    QString payload;
    // Where the symbol lies in the image, corner by corner.
    QPolygon outline;
};

// Finds and decodes every QR code in an image; other barcode kinds are not looked for.
namespace QRCodeReader {

// Expects 8-bit grey pixels. Codes come in the order found; identical codes in two places
// are two entries. Payloads are returned as decoded, untrimmed.
[[nodiscard]] std::vector<DecodedQRCode> read(const QImage& grey);

} // namespace QRCodeReader
