#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An I/O failure of a file or container step, carrying the platform's
// message so that the command that started the step can report it.
class FileError : public std::exception
{
public:
    explicit FileError(QString message);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
