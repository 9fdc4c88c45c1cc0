#include "cardset/FileError.h"

#include <cstring>

FileError::FileError(QString message, int systemError)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
    , m_systemError(systemError)
{
}

QString FileError::systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
