#pragma once

#include "ports/DefaultsStore.h"

#include <QByteArray>
#include <QJsonObject>

#include <variant>

// The settings file's contents: one JSON object whose Booleans, numbers and texts are the
// stored values. Reading and writing the bytes are the file store's; this is the format.
namespace SettingsDocument {

// A settings file is a few kilobytes; anything this big is not ours.
inline constexpr qint64 maximumSize = 4 * 1024 * 1024;

// The object the bytes hold, or why they hold none (a text for the user).
[[nodiscard]] std::variant<QJsonObject, QString> parse(const QByteArray& bytes);
[[nodiscard]] QByteArray serialize(const QJsonObject& values);

[[nodiscard]] std::optional<DefaultsStore::Value> value(const QJsonObject& values, const QString& key);
void apply(QJsonObject& values, const std::vector<DefaultsStore::Entry>& entries);

} // namespace SettingsDocument
