#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The desktop's modal file panels and alerts.
class DialogsPort {
public:
    virtual ~DialogsPort() = default;

    // An existing PNG, JPEG or TIFF file the user picked, or none when they cancel.
    [[nodiscard]] virtual std::optional<QString> chooseImageFileToOpen() = 0;
    // Where to save a PNG, proposing the given file name in the panel's own folder; none on cancel.
    [[nodiscard]] virtual std::optional<QString> chooseSaveLocation(const QString& proposedFileName) = 0;
    // A modal warning alert with its buttons in the given order; the index of the button the
    // user pressed. Dismissing the alert otherwise counts as pressing the last button.
    virtual int runWarningAlert(const QString& messageText, const QString& informativeText, const QStringList& buttons)
        = 0;
    // True while a modal panel or alert of ours is open.
    [[nodiscard]] virtual bool isShowingModal() const = 0;
};
