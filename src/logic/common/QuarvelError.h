#pragma once

#include <QString>

#include <exception>
#include <string>

// The one error type for invalid input. An operation throws it with the German text the user
// sees; the handler guard of the window catches it and shows the general error box.
class QuarvelError : public std::exception
{
public:
    explicit QuarvelError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toStdString())
    {
    }

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
