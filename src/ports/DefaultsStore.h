#pragma once

#include <QString>

#include <optional>
#include <variant>
#include <vector>

// The per-user key-value store the settings live in. Values keep their type, so
// a reader can tell a Boolean from the text "no" or the number 1.
class DefaultsStore {
public:
    using Value = std::variant<bool, double, QString>;

    // One key of a write: a value sets it, none removes it.
    struct Entry {
        QString key;
        std::optional<Value> value;
    };

    virtual ~DefaultsStore() = default;

    // None when the key is missing or holds a type outside Value (a list, a table, null).
    [[nodiscard]] virtual std::optional<Value> value(const QString& key) const = 0;

    // Applies every entry as one write: whatever persists afterwards holds all of
    // them or none. Keys not named are kept. Failing to persist is the store's to
    // report; later reads still see the entries.
    virtual void write(const std::vector<Entry>& entries) = 0;
};
