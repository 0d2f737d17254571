#pragma once

#include <QString>

#include <exception>
#include <string>

// Root of every error this system throws. The description is the exact text the
// user sees; workflows catch these and show description() in errorMessage.
class TrovixError : public std::exception {
public:
    explicit TrovixError(QString description)
        : m_description(std::move(description))
        , m_what(m_description.toStdString())
    {
    }

    [[nodiscard]] const QString& description() const { return m_description; }
    [[nodiscard]] const char* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_description;
    std::string m_what;
};
