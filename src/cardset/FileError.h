#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An I/O failure of a file or container step, carrying the platform's
// message so that the command that started the step can report it, and the
// system's error number where there is one.
class FileError : public std::exception
{
public:
    explicit FileError(QString message, int systemError = 0);

    const QString &message() const { return m_message; }
    int systemError() const { return m_systemError; }
    // The system's text for an error number.
    static QString systemReason(int error);
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    int m_systemError = 0;
};
