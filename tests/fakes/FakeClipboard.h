#pragma once

#include "domain/ImageIOError.h"
#include "engine/PasteboardImageProvider.h"
#include "ports/ClipboardPort.h"

#include <QStringList>

class FakeClipboard : public ClipboardPort {
public:
    void setText(const QString& text) override
    {
        texts.append(text);
        provider.reset();
    }
    bool setImageProvider(std::shared_ptr<const PasteboardImageProvider> newProvider) override
    {
        if (refuseImages)
            return false;
        provider = std::move(newProvider);
        return true;
    }
    std::optional<Image> readImage() override
    {
        if (readError)
            throw *readError;
        return image;
    }

    QStringList texts;
    std::optional<Image> image;
    std::optional<ImageIOError> readError;
    std::shared_ptr<const PasteboardImageProvider> provider;
    bool refuseImages = false;
};
