#pragma once

#include <QString>

#include <stdexcept>

// A reason to stop, in words for the person or program reading standard error.
class ToolFailure : public std::runtime_error {
public:
    enum class Kind { badArguments, captureFailed };

    ToolFailure(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString())
        , m_kind(kind)
    { }

    [[nodiscard]] Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};
