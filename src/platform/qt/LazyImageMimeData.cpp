#include "platform/qt/LazyImageMimeData.h"

#include "engine/PasteboardImageProvider.h"

LazyImageMimeData::LazyImageMimeData(std::shared_ptr<const PasteboardImageProvider> provider)
    : m_provider(std::move(provider))
{
}

QStringList LazyImageMimeData::formats() const
{
    return PasteboardImageProvider::types();
}

bool LazyImageMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

QVariant LazyImageMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    Q_UNUSED(type);
    if (std::optional<QByteArray> bytes = m_provider->dataForType(mimeType))
        return *bytes;
    return {};
}
