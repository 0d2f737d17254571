#include "platform/qt/JsonDefaultsStore.h"

#include "domain/FileSystemError.h"
#include "storage/AtomicFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "trovix.settings")

// A settings file is a few kilobytes; anything this big is not ours, and
// reading it whole would only cost memory.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

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
    constexpr QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (folder.isDir() && !folder.isSymLink() && (folder.permissions() & others))
        QFile::setPermissions(folderPath, privateFolder);
}

QJsonValue jsonValue(const DefaultsStore::Value& value)
{
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag;
    if (const double* number = std::get_if<double>(&value))
        return *number;
    return std::get<QString>(value);
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
    const QJsonValue stored = m_values.value(key);
    switch (stored.type()) {
    case QJsonValue::Bool:
        return stored.toBool();
    case QJsonValue::Double:
        return stored.toDouble();
    case QJsonValue::String:
        return stored.toString();
    default:
        return std::nullopt;
    }
}

void JsonDefaultsStore::write(const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (entry.value)
            m_values.insert(entry.key, jsonValue(*entry.value));
        else
            m_values.remove(entry.key);
    }
    save();
}

void JsonDefaultsStore::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        return setAside(QStringLiteral("it cannot be read: ") + file.errorString());
    if (file.size() > maximumFileSize)
        return setAside(QStringLiteral("it is larger than %1 bytes").arg(maximumFileSize));

    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        return setAside(
            QStringLiteral("it is not valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        return setAside(QStringLiteral("it does not hold a JSON object"));
    m_values = document.object();
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
        AtomicFileWriter::write(m_filePath, QJsonDocument(m_values).toJson(QJsonDocument::Indented),
            AtomicFileWriter::Options { privateFile });
        m_reportedWriteFailure = false;
    } catch (const FileSystemError& error) {
        // Every change retries with the whole set; one report per run of failures is enough.
        if (!m_reportedWriteFailure)
            qCWarning(lcSettings).noquote() << "Could not save the settings:" << error.description();
        m_reportedWriteFailure = true;
    }
}
