#include "platform/qt/JsonDefaultsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

Q_LOGGING_CATEGORY(lcSettings, "trovix.settings")

// A settings file is a few kilobytes; anything this big is not ours, and
// reading it whole would only cost memory.
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

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
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    QSaveFile file(m_filePath);
    const bool saved = file.open(QIODevice::WriteOnly)
        && file.write(QJsonDocument(m_values).toJson(QJsonDocument::Indented)) >= 0 && file.commit();
    if (saved) {
        m_reportedWriteFailure = false;
        return;
    }
    // Every change retries with the whole set; one report per run of failures is enough.
    if (!m_reportedWriteFailure)
        qCWarning(lcSettings).noquote() << "Could not save the settings to" << m_filePath << ":" << file.errorString();
    m_reportedWriteFailure = true;
}
