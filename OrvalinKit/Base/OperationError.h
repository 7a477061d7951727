#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure that ends a whole operation, carrying a message that can be shown to the user and,
// when the system refused something, the system's error number, so that a caller can say why in
// words of its own.
class OperationError : public std::exception
{
public:
    explicit OperationError(QString message, int systemError = 0)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
        , m_systemError(systemError)
    {
    }

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }
    // The errno value behind the failure, or 0.
    int systemError() const noexcept { return m_systemError; }

private:
    QString m_message;
    QByteArray m_utf8;
    int m_systemError = 0;
};
