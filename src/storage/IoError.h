#pragma once

#include <QString>
#include <stdexcept>

namespace Slipdesk {

// A file-system failure that aborts the action in progress. The window that
// started the action shows message() to the user; nothing below it catches.
class IoError : public std::runtime_error
{
public:
    explicit IoError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace Slipdesk
