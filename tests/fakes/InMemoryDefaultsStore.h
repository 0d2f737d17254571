#pragma once

#include "ports/DefaultsStore.h"

#include <QHash>

// Records every write so that tests can tell what was written and when.
class InMemoryDefaultsStore final : public DefaultsStore {
public:
    InMemoryDefaultsStore() = default;
    explicit InMemoryDefaultsStore(QHash<QString, Value> values);

    [[nodiscard]] std::optional<Value> value(const QString& key) const override;
    void write(const std::vector<Entry>& entries) override;

    [[nodiscard]] const QHash<QString, Value>& values() const { return m_values; }
    [[nodiscard]] int writeCount() const { return m_writeCount; }

private:
    QHash<QString, Value> m_values;
    int m_writeCount = 0;
};
