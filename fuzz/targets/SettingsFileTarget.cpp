#include "FuzzTargets.h"

#include "FuzzCheck.h"

#include "app/AppSettings.h"
#include "platform/qt/JsonDefaultsStore.h"
#include "ports/HotkeyRegistrar.h"
#include "ports/LoginItem.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

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

// One private folder for the whole run; the store's warning about each unreadable file
// would otherwise be most of the output.
const QString& settingsPath()
{
    static const QTemporaryDir folder;
    static const QString path = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("trovix.settings.warning=false"));
        return folder.path() + QStringLiteral("/settings.json");
    }();
    return path;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool replace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Loads every preference from the file, then writes the whole set back through the store,
// as the first change in the settings window would; gives what was written.
QByteArray loadAndWriteBack(const QString& path)
{
    JsonDefaultsStore store(path);
    IgnoredLoginItem loginItem;
    IgnoredHotkeyRegistrar registrar;
    AppSettings settings(store, loginItem, registrar);
    FuzzCheck::require(!settings.hotkeySummaryText().isEmpty(), "the shortcut summary is never empty");
    for (const auto& [action, shortcut] : settings.shortcuts())
        FuzzCheck::require(settings.shortcut(action) == shortcut, "the registered set is the stored shortcuts");
    settings.launchAtStartup.set(settings.launchAtStartup());
    if (!store.setAsidePath().isEmpty())
        QFile::remove(store.setAsidePath());
    return contents(path);
}

} // namespace

int settingsFile(const std::uint8_t* data, std::size_t size)
{
    const QString& path = settingsPath();
    if (!replace(path, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
        return 0;
    const QByteArray firstWrite = loadAndWriteBack(path);
    FuzzCheck::require(!firstWrite.isEmpty(), "the settings are written back");
    // Whatever the file held, what we write must read back as the same preferences.
    const QByteArray secondWrite = loadAndWriteBack(path);
    FuzzCheck::require(firstWrite == secondWrite, "written settings read back unchanged");
    return 0;
}

} // namespace FuzzTargets
