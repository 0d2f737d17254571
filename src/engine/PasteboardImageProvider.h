#pragma once

#include "domain/Image.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// Makes a copied image's clipboard bytes only when a reader asks for them, anew on every
// request, always from the image it was created with.
class PasteboardImageProvider {
public:
    explicit PasteboardImageProvider(Image image);

    // The formats one copy offers, in order.
    [[nodiscard]] static QStringList types();
    // None for a format we do not offer or cannot produce.
    [[nodiscard]] std::optional<QByteArray> dataForType(const QString& mimeType) const;

    [[nodiscard]] const Image& image() const { return m_image; }
    // How many times bytes were made; lets callers see the laziness.
    [[nodiscard]] int encodeCount() const { return m_encodeCount; }

private:
    Image m_image;
    mutable int m_encodeCount = 0;
};
