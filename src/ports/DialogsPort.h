#pragma once

#include <QString>

#include <optional>

// The desktop's modal file panels and alerts.
class DialogsPort {
public:
    virtual ~DialogsPort() = default;

    // An existing PNG, JPEG or TIFF file the user picked, or none when they cancel.
    [[nodiscard]] virtual std::optional<QString> chooseImageFileToOpen() = 0;
};
