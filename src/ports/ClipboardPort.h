#pragma once

#include "domain/Image.h"

#include <QString>

#include <memory>
#include <optional>

class PasteboardImageProvider;

// The desktop's general clipboard.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;

    // Empties the clipboard and puts one plain text on it.
    virtual void setText(const QString& text) = 0;
    // Empties the clipboard and offers the provider's formats; the bytes are asked for
    // later, by whoever pastes. False when the clipboard refuses.
    [[nodiscard]] virtual bool setImageProvider(std::shared_ptr<const PasteboardImageProvider> provider) = 0;
    // The first image the clipboard offers, or none. Throws ImageIOError imageTooLarge when
    // the picture announces a size that would not fit in memory.
    [[nodiscard]] virtual std::optional<Image> readImage() = 0;
};
