#include "cardset/RunningProcess.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

qint64 RunningProcess::currentId()
{
    return QCoreApplication::applicationPid();
}

bool RunningProcess::exists(qint64 id)
{
#ifdef Q_OS_UNIX
    if (id <= 0 || id != qint64(pid_t(id)))
        return true;
    return ::kill(pid_t(id), 0) == 0 || errno != ESRCH;
#else
    Q_UNUSED(id);
    return true;
#endif
}
