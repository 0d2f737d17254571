#include "FuzzTargets.h"

#include "FuzzCheck.h"

#include "app/AppSettings.h"
#include "platform/qt/SettingsDocument.h"
#include "ports/HotkeyRegistrar.h"
#include "ports/LoginItem.h"

namespace FuzzTargets {

namespace {

class IgnoredLoginItem final : public LoginItem {
public:
    void setEnabled(bool) override { }
};

class IgnoredHotkeyRegistrar final : public HotkeyRegistrar {
public:
    void registerHotkeys(const Shortcuts&) override { }
};

// The file store's format over bytes in memory: what the file store does on disk
// (atomic replacement, moving a bad file aside) has its own tests, and three file
// replacements per input would cost half the fuzzer's speed.
class DocumentStore final : public DefaultsStore {
public:
    explicit DocumentStore(const QByteArray& bytes)
    {
        // A file that holds no settings object is moved aside and the defaults apply.
        const auto parsed = SettingsDocument::parse(bytes);
        if (const QJsonObject* values = std::get_if<QJsonObject>(&parsed))
            m_values = *values;
    }

    [[nodiscard]] std::optional<Value> value(const QString& key) const override
    {
        return SettingsDocument::value(m_values, key);
    }

    void write(const std::vector<Entry>& entries) override
    {
        SettingsDocument::apply(m_values, entries);
        m_written = SettingsDocument::serialize(m_values);
    }

    [[nodiscard]] const QByteArray& written() const { return m_written; }

private:
    QJsonObject m_values;
    QByteArray m_written;
};

// Loads every preference from the file's bytes, then writes the whole set back through the
// store, as the first change in the settings window would; gives what was written.
QByteArray loadAndWriteBack(const QByteArray& bytes)
{
    DocumentStore store(bytes);
    IgnoredLoginItem loginItem;
    IgnoredHotkeyRegistrar registrar;
    AppSettings settings(store, loginItem, registrar);
    FuzzCheck::require(!settings.hotkeySummaryText().isEmpty(), "the shortcut summary is never empty");
    for (const auto& [action, shortcut] : settings.shortcuts())
        FuzzCheck::require(settings.shortcut(action) == shortcut, "the registered set is the stored shortcuts");
    settings.launchAtStartup.set(settings.launchAtStartup());
    return store.written();
}

} // namespace

int settingsFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArray firstWrite
        = loadAndWriteBack(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    FuzzCheck::require(!firstWrite.isEmpty(), "the settings are written back");
    // Whatever the file held, what we write must read back as the same preferences.
    const QByteArray secondWrite = loadAndWriteBack(firstWrite);
    FuzzCheck::require(firstWrite == secondWrite, "written settings read back unchanged");
    return 0;
}

} // namespace FuzzTargets
