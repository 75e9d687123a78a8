#pragma once

#include <QString>
#include <stdexcept>

// A run-time error with the number and description the error boxes show.
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
    {
    }
    int number() const { return m_number; }
    QString description() const { return m_description; }

    // Number and description of any exception that reaches an error box.
    static int numberOf(const std::exception &e);
    static QString descriptionOf(const std::exception &e);

private:
    int m_number;
    QString m_description;
};
