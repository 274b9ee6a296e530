#pragma once
// The one exception type of the program: it carries the exact text the user is shown.

#include <QString>
#include <exception>

namespace pensilio {

class Error : public std::exception
{
public:
    explicit Error(QString message, QString note = {})
        : m_message(std::move(message)), m_note(std::move(note)), m_utf8(m_message.toUtf8())
    {}
    const QString &message() const noexcept { return m_message; }
    // A further line for the user, shown under the message (where a kept file lies, say).
    const QString &note() const noexcept { return m_note; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QString m_note;
    QByteArray m_utf8;
};

} // namespace pensilio
