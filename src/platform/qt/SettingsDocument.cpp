#include "platform/qt/SettingsDocument.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

namespace SettingsDocument {

namespace {

QJsonValue jsonValue(const DefaultsStore::Value& value)
{
    if (const bool* flag = std::get_if<bool>(&value))
        return *flag;
    if (const double* number = std::get_if<double>(&value))
        return *number;
    return std::get<QString>(value);
}

} // namespace

std::variant<QJsonObject, QString> parse(const QByteArray& bytes)
{
    if (bytes.size() > maximumSize)
        return QStringLiteral("it is larger than %1 bytes").arg(maximumSize);
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("it is not valid JSON (%1 at offset %2)").arg(error.errorString()).arg(error.offset);
    if (!document.isObject())
        return QStringLiteral("it does not hold a JSON object");
    return document.object();
}

QByteArray serialize(const QJsonObject& values)
{
    return QJsonDocument(values).toJson(QJsonDocument::Indented);
}

std::optional<DefaultsStore::Value> value(const QJsonObject& values, const QString& key)
{
    const QJsonValue stored = values.value(key);
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

void apply(QJsonObject& values, const std::vector<DefaultsStore::Entry>& entries)
{
    for (const DefaultsStore::Entry& entry : entries) {
        if (entry.value)
            values.insert(entry.key, jsonValue(*entry.value));
        else
            values.remove(entry.key);
    }
}

} // namespace SettingsDocument
