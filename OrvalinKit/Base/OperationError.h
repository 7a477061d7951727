#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure that ends a whole operation, carrying a message that can be shown to the user.
class OperationError : public std::exception
{
public:
    explicit OperationError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
