#include "services/QRCodeReader.h"

// ZXing 1.4 gives UTF-8 text only when asked to through this macro.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace QRCodeReader {

namespace {

QPolygon outlineOf(const ZXing::Position& position)
{
    QPolygon outline;
    for (const ZXing::PointI& corner : position)
        outline << QPoint(corner.x, corner.y);
    return outline;
}

} // namespace

std::vector<DecodedQRCode> read(const QImage& grey)
{
    const ZXing::ImageView view(
        grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum, int(grey.bytesPerLine()), 1);
    const ZXing::DecodeHints hints = ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode);

    std::vector<DecodedQRCode> codes;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints)) {
        if (result.isValid())
            codes.push_back({ QString::fromStdString(result.text()), outlineOf(result.position()) });
    }
    return codes;
}

} // namespace QRCodeReader
