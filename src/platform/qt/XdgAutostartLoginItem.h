#pragma once

#include "ports/LoginItem.h"

#include <QString>

// The login item as an XDG autostart entry. Only an entry this class wrote is
// ever replaced or removed: one the user or a desktop tool made under the same
// name is theirs.
class XdgAutostartLoginItem final : public LoginItem {
public:
    XdgAutostartLoginItem(QString desktopFilePath, QString executablePath);

    // $XDG_CONFIG_HOME/autostart/trovix.desktop, ~/.config when that is unset.
    [[nodiscard]] static QString standardDesktopFilePath();

    void setEnabled(bool enabled) override;

    // The Exec value that starts the executable, quoted as desktop entries require.
    [[nodiscard]] static QString execValue(const QString& executablePath);

private:
    [[nodiscard]] bool isOwnEntry() const;
    void writeEntry();
    void removeEntry();

    QString m_desktopFilePath;
    QString m_executablePath;
};
