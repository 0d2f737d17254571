#include "InMemoryDefaultsStore.h"

InMemoryDefaultsStore::InMemoryDefaultsStore(QHash<QString, Value> values)
    : m_values(std::move(values))
{ }

std::optional<DefaultsStore::Value> InMemoryDefaultsStore::value(const QString& key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.constEnd())
        return std::nullopt;
    return *found;
}

void InMemoryDefaultsStore::write(const std::vector<Entry>& entries)
{
    for (const Entry& entry : entries) {
        if (entry.value)
            m_values.insert(entry.key, *entry.value);
        else
            m_values.remove(entry.key);
    }
    ++m_writeCount;
}
