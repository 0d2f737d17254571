#include "platform/qt/JsonDefaultsStore.h"

#include "domain/FileSystemError.h"
#include "platform/qt/SettingsDocument.h"
#include "storage/AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "trovix.settings")

// The file holds the upload token: only its owner may read it, or list its folder.
constexpr QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions privateFolder = privateFile | QFileDevice::ExeOwner;

// Creates the settings folder owner-only, and takes group and other access away from one
// an earlier version made.
void preparePrivateFolder(const QString& folderPath)
{
    const QFileInfo folder(folderPath);
    if (!folder.exists()) {
        QDir().mkpath(folder.absolutePath());
        if (!QDir().mkdir(folderPath, privateFolder) && !folder.isDir())
            throw FileSystemError(QStringLiteral("Could not create the folder “%1”.").arg(folderPath));
        return;
    }
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (folder.isDir() && !folder.isSymLink() && (folder.permissions() & others))
        QFile::setPermissions(folderPath, privateFolder);
}

QString unusedSiblingName(const QString& filePath)
{
    const QString base = filePath + QStringLiteral(".corrupt-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = base;
    for (int attempt = 2; QFileInfo::exists(candidate); ++attempt)
        candidate = base + u'-' + QString::number(attempt);
    return candidate;
}

} // namespace

JsonDefaultsStore::JsonDefaultsStore(QString filePath)
    : m_filePath(std::move(filePath))
{
    load();
}

QString JsonDefaultsStore::standardFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/trovix/settings.json");
}

std::optional<DefaultsStore::Value> JsonDefaultsStore::value(const QString& key) const
{
    return SettingsDocument::value(m_values, key);
}

void JsonDefaultsStore::write(const std::vector<Entry>& entries)
{
    SettingsDocument::apply(m_values, entries);
    save();
}

void JsonDefaultsStore::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        return setAside(QStringLiteral("it cannot be read: ") + file.errorString());
    // Reading a file far larger than any settings would only cost memory.
    const auto parsed = SettingsDocument::parse(file.read(SettingsDocument::maximumSize + 1));
    if (const QString* problem = std::get_if<QString>(&parsed))
        return setAside(*problem);
    m_values = std::get<QJsonObject>(parsed);
}

void JsonDefaultsStore::setAside(const QString& problem)
{
    const QString asidePath = unusedSiblingName(m_filePath);
    QFile file(m_filePath);
    if (file.rename(asidePath)) {
        m_setAsidePath = asidePath;
        QFile::setPermissions(asidePath, privateFile);
        qCWarning(lcSettings).noquote() << "The settings file" << m_filePath << "was not used because" << problem
                                        << "- it was kept as" << asidePath << "and the default settings apply.";
        return;
    }
    m_mayWrite = false;
    qCWarning(lcSettings).noquote() << "The settings file" << m_filePath << "was not used because" << problem
                                    << "- it could not be moved aside (" << file.errorString()
                                    << "), so settings changed now will not be saved.";
}

void JsonDefaultsStore::save()
{
    if (!m_mayWrite)
        return;
    try {
        preparePrivateFolder(QFileInfo(m_filePath).absolutePath());
        AtomicFileWriter::write(
            m_filePath, SettingsDocument::serialize(m_values), AtomicFileWriter::Options { privateFile });
        m_reportedWriteFailure = false;
    } catch (const FileSystemError& error) {
        // Every change retries with the whole set; one report per run of failures is enough.
        if (!m_reportedWriteFailure)
            qCWarning(lcSettings).noquote() << "Could not save the settings:" << error.description();
        m_reportedWriteFailure = true;
    }
}
