#pragma once

#include "ports/DefaultsStore.h"

#include <QJsonObject>
#include <QString>

// Settings as one JSON object in a file, Booleans, numbers and texts keeping
// their JSON types. Every write replaces the file atomically, so a crash or a
// full disk leaves the previous file, never a truncated one.
//
// A file that cannot be read or parsed is moved aside (its name plus
// ".corrupt-" and a time stamp) and reported once; the store then starts empty
// so the defaults apply. If it cannot even be moved, nothing is written for the
// rest of the session rather than replacing it.
class JsonDefaultsStore final : public DefaultsStore {
public:
    explicit JsonDefaultsStore(QString filePath);

    // $XDG_CONFIG_HOME/trovix/settings.json, ~/.config when that is unset.
    [[nodiscard]] static QString standardFilePath();

    [[nodiscard]] std::optional<Value> value(const QString& key) const override;
    void write(const std::vector<Entry>& entries) override;

    [[nodiscard]] const QString& filePath() const { return m_filePath; }
    // Where an unreadable file was moved to; empty when none was.
    [[nodiscard]] const QString& setAsidePath() const { return m_setAsidePath; }

private:
    void load();
    void setAside(const QString& problem);
    void save();

    QString m_filePath;
    QString m_setAsidePath;
    QJsonObject m_values;
    bool m_mayWrite = true;
    bool m_reportedWriteFailure = false;
};
