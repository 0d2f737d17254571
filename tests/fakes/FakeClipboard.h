#pragma once

#include "ports/ClipboardPort.h"

#include <QStringList>

class FakeClipboard : public ClipboardPort {
public:
    void setText(const QString& text) override { texts.append(text); }
    std::optional<Image> readImage() override { return image; }

    QStringList texts;
    std::optional<Image> image;
};
