#include "platform/qt/QtClipboard.h"

#include "platform/qt/LazyImageMimeData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QBuffer>
#include <QMimeData>

namespace {

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

std::optional<Image> decoded(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    QImage pixels = reader.read();
    if (pixels.isNull())
        return std::nullopt;
    return Image(pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied));
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
    // Our own lazy copy is read back through its bytes like any other program's.
    for (const QString& format : { QStringLiteral("image/png"), QStringLiteral("image/tiff") }) {
        if (data->hasFormat(format)) {
            if (std::optional<Image> image = decoded(data->data(format)))
                return image;
        }
    }
    if (data->hasImage()) {
        const QImage pixels = qvariant_cast<QImage>(data->imageData());
        if (!pixels.isNull())
            return Image(pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return std::nullopt;
}
