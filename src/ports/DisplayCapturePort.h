#pragma once

#include "domain/Image.h"
#include "domain/Screen.h"

#include <QCoro/QCoroTask>
#include <QRectF>

#include <optional>

// A backend that grabs a whole screen directly, optionally cropped to a rectangle in
// global points. Only a backend that can leave this application's own windows out of
// the picture is used for captures that must not show them.
class DisplayCapturePort {
public:
    virtual ~DisplayCapturePort() = default;

    [[nodiscard]] virtual bool excludesOwnWindows() const = 0;
    virtual QCoro::Task<Image> captureDisplay(Screen screen, std::optional<QRectF> rect) = 0;
};
