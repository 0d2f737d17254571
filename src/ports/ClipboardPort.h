#pragma once

#include "domain/Image.h"

#include <QString>

#include <optional>

// The desktop's general clipboard.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;

    // Empties the clipboard and puts one plain text on it.
    virtual void setText(const QString& text) = 0;
    // The first image the clipboard offers, or none.
    [[nodiscard]] virtual std::optional<Image> readImage() = 0;
};
