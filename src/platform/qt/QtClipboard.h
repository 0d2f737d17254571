#pragma once

#include "ports/ClipboardPort.h"

// The system clipboard through QClipboard (the CLIPBOARD selection on X11).
class QtClipboard : public ClipboardPort {
public:
    void setText(const QString& text) override;
    [[nodiscard]] bool setImageProvider(std::shared_ptr<const PasteboardImageProvider> provider) override;
    [[nodiscard]] std::optional<Image> readImage() override;
};
