#pragma once

#include "ports/DisplayCapturePort.h"

#include <QList>

#include <utility>

// A backend that leaves our windows out once `excludes` is set; answers with `image`.
class FakeDisplayCapture : public DisplayCapturePort {
public:
    bool excludes = false;
    Image image;
    QList<std::pair<Screen, std::optional<QRectF>>> captures;

    [[nodiscard]] bool excludesOwnWindows() const override { return excludes; }
    QCoro::Task<Image> captureDisplay(Screen screen, std::optional<QRectF> rect) override
    {
        captures.append({ screen, rect });
        co_return Image(image);
    }
};
