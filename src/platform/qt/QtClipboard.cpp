#include "platform/qt/QtClipboard.h"

#include "engine/ImageIOService.h"
#include "platform/qt/LazyImageMimeData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// Picture formats in the order they are tried: the lossless ones of our own copy first, then
// whatever else the other program offers as bytes.
QStringList pictureFormats(const QMimeData& data)
{
    QStringList formats { QStringLiteral("image/png"), QStringLiteral("image/tiff") };
    formats.removeIf([&data](const QString& format) { return !data.hasFormat(format); });
    for (const QString& format : data.formats()) {
        if (format.startsWith(QLatin1StringView("image/")) && !formats.contains(format))
            formats.append(format);
    }
    return formats;
}

} // namespace

void QtClipboard::setText(const QString& text)
{
    if (QClipboard* clipboard = systemClipboard())
        clipboard->setText(text);
}

bool QtClipboard::setImageProvider(std::shared_ptr<const PasteboardImageProvider> provider)
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard || !provider)
        return false;
    // The clipboard owns the mime data and deletes it when the next copy replaces it.
    clipboard->setMimeData(new LazyImageMimeData(std::move(provider)));
    return true;
}

std::optional<Image> QtClipboard::readImage()
{
    QClipboard* clipboard = systemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return std::nullopt;
    // Bytes from another program are hostile input: they go through the same reader as a file,
    // which checks the size in the header before decoding. Our own lazy copy is read back the
    // same way.
    const QStringList formats = pictureFormats(*data);
    for (const QString& format : formats) {
        if (std::optional<Image> image = ImageIOService::readImageData(data->data(format)))
            return image;
    }
    // Only an image put on the clipboard by this process comes without bytes.
    if (formats.isEmpty() && data->hasImage()) {
        const QImage pixels = qvariant_cast<QImage>(data->imageData());
        if (!pixels.isNull())
            return Image(pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return std::nullopt;
}
