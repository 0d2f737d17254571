#pragma once

#include "app/ObservableNotifier.h"

#include <utility>

// A field that tells its subscribers of every assignment:
//   state.statusMessage.set(QStringLiteral("Ready"));
//   connect(&state.statusMessage, &ObservableNotifier::changed, view, &View::refresh);
template <typename T> class Observable : public ObservableNotifier {
public:
    explicit Observable(T initial = T {})
        : m_value(std::move(initial))
    { }

    [[nodiscard]] const T& get() const { return m_value; }
    [[nodiscard]] const T& operator()() const { return m_value; }

    void set(T value)
    {
        m_value = std::move(value);
        Q_EMIT changed();
    }

    // Changes the value in place (e.g. appending to a list) and notifies once.
    template <typename Mutation> void mutate(Mutation&& mutation)
    {
        std::forward<Mutation>(mutation)(m_value);
        Q_EMIT changed();
    }

private:
    T m_value;
};
